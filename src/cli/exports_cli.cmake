# --list-exports support for zeltacalc-console.
target_sources(zc_console_cli PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/list_exports_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_exports_command.h
)
