# Math tools: the pure routines (GoogleTest) and the tool windows (QtTest).
add_executable(zc_tool_math_tests
  ${CMAKE_CURRENT_LIST_DIR}/prime_math_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prime_cache_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fraction_math_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quadratic_math_test.cpp
)
target_link_libraries(zc_tool_math_tests PRIVATE zc_tools GTest::gtest_main Qt6::Core)
zc_target_defaults(zc_tool_math_tests)
gtest_discover_tests(zc_tool_math_tests DISCOVERY_TIMEOUT 30)

add_executable(zc_tool_windows_tests ${CMAKE_CURRENT_LIST_DIR}/tool_windows_test.cpp)
target_link_libraries(zc_tool_windows_tests PRIVATE zc_test_prompts zc_tools Qt6::Test Qt6::Widgets)
zc_target_defaults(zc_tool_windows_tests)
add_test(NAME zc_tool_windows_tests COMMAND zc_tool_windows_tests)
set_tests_properties(zc_tool_windows_tests PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")

# The calculus routines need the engine's result text.
add_executable(zc_calculus_tests ${CMAKE_CURRENT_LIST_DIR}/numeric_calculus_test.cpp)
target_link_libraries(zc_calculus_tests PRIVATE zc_tools zc_engine GTest::gtest_main)
zc_target_defaults(zc_calculus_tests)
gtest_discover_tests(zc_calculus_tests DISCOVERY_TIMEOUT 30)

add_executable(zc_lim_int_win_tests ${CMAKE_CURRENT_LIST_DIR}/lim_int_win_test.cpp)
target_link_libraries(zc_lim_int_win_tests PRIVATE zc_test_prompts zc_tools zc_engine Qt6::Test Qt6::Widgets)
zc_target_defaults(zc_lim_int_win_tests)
add_test(NAME zc_lim_int_win_tests COMMAND zc_lim_int_win_tests)
set_tests_properties(zc_lim_int_win_tests PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")
