# Variables grid, constants dialog, ten-key pad, error explanations, about box.
target_sources(zc_console PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/name_value_rows.h
  ${CMAKE_CURRENT_LIST_DIR}/name_value_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/constants_file.h
  ${CMAKE_CURRENT_LIST_DIR}/constants_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_list_editor.h
  ${CMAKE_CURRENT_LIST_DIR}/value_list_editor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replace_question.h
  ${CMAKE_CURRENT_LIST_DIR}/replace_question.cpp
  ${CMAKE_CURRENT_LIST_DIR}/const_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/const_dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tenkeys.h
  ${CMAKE_CURRENT_LIST_DIR}/tenkeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exp_error.h
  ${CMAKE_CURRENT_LIST_DIR}/exp_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_box.h
  ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
)
