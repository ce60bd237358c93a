# Function layer tests: the built-in functions, angle modes, power rule, rnd.
add_executable(zc_function_tests
  ${CMAKE_CURRENT_LIST_DIR}/function_test_support.h
  ${CMAKE_CURRENT_LIST_DIR}/function_expression_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/function_library_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statistical_functions_tests.cpp
)
target_link_libraries(zc_function_tests PRIVATE zc_engine GTest::gtest GTest::gtest_main)
zc_target_defaults(zc_function_tests)
gtest_discover_tests(zc_function_tests)
