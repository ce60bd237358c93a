# zeltacalc-console: the engine in a terminal or a script (no Qt).
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBEDIT REQUIRED IMPORTED_TARGET libedit)

# Everything but main(), so that the tests can drive the pieces directly.
add_library(zc_console_cli STATIC
  ${CMAKE_CURRENT_LIST_DIR}/console_data_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_data_folder.h
  ${CMAKE_CURRENT_LIST_DIR}/console_line_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_line_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/console_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_options.h
  ${CMAKE_CURRENT_LIST_DIR}/console_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_session.h
)
target_include_directories(zc_console_cli PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zc_console_cli PUBLIC zc_engine PRIVATE PkgConfig::LIBEDIT)
zc_target_defaults(zc_console_cli)

add_executable(zeltacalc-console ${CMAKE_CURRENT_LIST_DIR}/console_main.cpp)
target_link_libraries(zeltacalc-console PRIVATE zc_console_cli)
zc_target_defaults(zeltacalc-console)
