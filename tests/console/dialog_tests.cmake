# Variables grid, constants dialog, ten-key pad, error explanations, about box.
add_executable(zc_dialog_tests
  dialog_tests_main.cpp
  dialog_test_suites.h
  grid_test_support.h
  value_list_editor_test.cpp
  const_dlg_test.cpp
  tenkeys_test.cpp
  exp_error_test.cpp
  about_box_test.cpp
)
target_link_libraries(zc_dialog_tests PRIVATE zc_test_prompts zc_console Qt6::Test)
target_include_directories(zc_dialog_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(zc_dialog_tests PRIVATE
  ZC_ERRORS_FILE="${PROJECT_SOURCE_DIR}/data/errors.txt")
zc_target_defaults(zc_dialog_tests)
add_test(NAME zc_dialog_tests COMMAND zc_dialog_tests)
set_tests_properties(zc_dialog_tests PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")

# Row helpers and constants files, without widgets.
add_executable(zc_dialog_rows_tests name_value_rows_test.cpp)
target_link_libraries(zc_dialog_rows_tests PRIVATE zc_console GTest::gtest_main)
zc_target_defaults(zc_dialog_rows_tests)
gtest_discover_tests(zc_dialog_rows_tests DISCOVERY_MODE PRE_TEST)
