# The user function store (Functions.inf).
add_executable(store_tests
  ${CMAKE_CURRENT_LIST_DIR}/user_function_store_test.cpp
)
target_link_libraries(store_tests PRIVATE zc_engine GTest::gtest_main)
target_include_directories(store_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../common)
zc_target_defaults(store_tests)
gtest_discover_tests(store_tests DISCOVERY_MODE PRE_TEST)
