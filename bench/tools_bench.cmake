# Math tools benchmarks.
add_executable(zc_tools_bench ${CMAKE_CURRENT_LIST_DIR}/tools_bench.cpp)
target_link_libraries(zc_tools_bench PRIVATE zc_tools zc_engine benchmark::benchmark)
zc_target_defaults(zc_tools_bench)
