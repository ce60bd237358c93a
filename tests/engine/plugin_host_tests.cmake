# Library functions in zeltacalc-plugin-host: plugins that misbehave in every
# way, hosts that answer wrongly, and the protocol's bounds.
set(ZC_HOSTILE_PLUGIN_DIR ${CMAKE_CURRENT_BINARY_DIR}/hostile_plugins)
foreach(fixture hostile_plugin initializer_crash_plugin finalizer_crash_plugin)
  add_library(zc_test_${fixture} MODULE ${CMAKE_CURRENT_LIST_DIR}/fixtures/${fixture}.cpp)
  set_target_properties(zc_test_${fixture} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${fixture}
    LIBRARY_OUTPUT_DIRECTORY ${ZC_HOSTILE_PLUGIN_DIR}
    CXX_VISIBILITY_PRESET hidden)
  # Their faults are the point: no sanitizer may step in before the host.
  target_compile_options(zc_test_${fixture} PRIVATE -Wall -Wextra -Wpedantic -fno-sanitize=all)
  target_link_options(zc_test_${fixture} PRIVATE -fno-sanitize=all)
endforeach()

add_executable(zc_plugin_host_tests ${CMAKE_CURRENT_LIST_DIR}/plugin_host_tests.cpp)
target_include_directories(zc_plugin_host_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(zc_plugin_host_tests PRIVATE
  ZC_TEST_BIN_DIR="${ZC_BIN_DIR}"
  ZC_HOSTILE_PLUGIN_DIR="${ZC_HOSTILE_PLUGIN_DIR}")
target_link_libraries(zc_plugin_host_tests PRIVATE zc_engine zc_plugin_host_protocol GTest::gtest_main)
add_dependencies(zc_plugin_host_tests zeltacalc-plugin-host zeltacalc_faulty
  zc_test_hostile_plugin zc_test_initializer_crash_plugin zc_test_finalizer_crash_plugin)
zc_target_defaults(zc_plugin_host_tests)
gtest_discover_tests(zc_plugin_host_tests DISCOVERY_TIMEOUT 60)
