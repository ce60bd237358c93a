# The main window, quick buttons and menus, and the application's data folder.
add_executable(zc_console_text_tests console_text_test.cpp)
target_link_libraries(zc_console_text_tests PRIVATE zc_console GTest::gtest_main)
zc_target_defaults(zc_console_text_tests)
gtest_discover_tests(zc_console_text_tests DISCOVERY_MODE PRE_TEST)
