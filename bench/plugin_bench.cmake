# Library functions through the plugin host, warm.
add_executable(zc_plugin_bench ${CMAKE_CURRENT_LIST_DIR}/plugin_bench.cpp)
target_compile_definitions(zc_plugin_bench PRIVATE ZC_BENCH_BIN_DIR="${ZC_BIN_DIR}")
target_link_libraries(zc_plugin_bench PRIVATE zc_engine benchmark::benchmark)
add_dependencies(zc_plugin_bench zeltacalc-plugin-host zeltacalc_example)
zc_target_defaults(zc_plugin_bench)
