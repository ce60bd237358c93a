# The main window, quick buttons and menus, and the application's data folder.
add_executable(zc_main_window_tests main_window_test.cpp main_window_test_support.h)
target_link_libraries(zc_main_window_tests PRIVATE zc_test_prompts zc_console Qt6::Test)
zc_target_defaults(zc_main_window_tests)
add_test(NAME zc_main_window_tests COMMAND zc_main_window_tests)
set_tests_properties(zc_main_window_tests PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")

add_executable(zc_quick_buttons_tests quick_buttons_test.cpp main_window_test_support.h)
target_link_libraries(zc_quick_buttons_tests PRIVATE zc_test_prompts zc_console Qt6::Test)
zc_target_defaults(zc_quick_buttons_tests)
add_test(NAME zc_quick_buttons_tests COMMAND zc_quick_buttons_tests)
set_tests_properties(zc_quick_buttons_tests PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")

add_executable(zc_console_text_tests console_text_test.cpp console_state_test.cpp)
target_link_libraries(zc_console_text_tests PRIVATE zc_console GTest::gtest_main)
zc_target_defaults(zc_console_text_tests)
gtest_discover_tests(zc_console_text_tests DISCOVERY_MODE PRE_TEST)

add_executable(zc_app_dir_tests app_dir_test.cpp)
target_link_libraries(zc_app_dir_tests PRIVATE zc_app Qt6::Test)
zc_target_defaults(zc_app_dir_tests)
add_test(NAME zc_app_dir_tests COMMAND zc_app_dir_tests)

add_executable(zc_startup_windows_tests startup_windows_test.cpp main_window_test_support.h)
target_link_libraries(zc_startup_windows_tests PRIVATE zc_test_prompts zc_app Qt6::Test)
zc_target_defaults(zc_startup_windows_tests)
add_test(NAME zc_startup_windows_tests COMMAND zc_startup_windows_tests)
set_tests_properties(zc_startup_windows_tests PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")
