# Tests of the expression part of the engine: scanner and literals, the
# precedence passes and signs, named values, result text, user functions and
# plugin libraries.
add_executable(zc_expression_tests
  ${CMAKE_CURRENT_LIST_DIR}/expression_evaluation_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/name_value_list_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/named_value_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/result_text_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scanner_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_function_call_tests.cpp
)
target_include_directories(zc_expression_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(zc_expression_tests PRIVATE ZC_TEST_BIN_DIR="${ZC_BIN_DIR}")
target_link_libraries(zc_expression_tests PRIVATE zc_engine GTest::gtest_main)
add_dependencies(zc_expression_tests zeltacalc_example zeltacalc_faulty zeltacalc-plugin-host)
zc_target_defaults(zc_expression_tests)
gtest_discover_tests(zc_expression_tests DISCOVERY_TIMEOUT 60)
