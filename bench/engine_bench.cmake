# The graph-tool pattern through the engine, side by side with muparser.
find_library(ZC_MUPARSER_LIBRARY muparser REQUIRED)
add_executable(zc_engine_bench ${CMAKE_CURRENT_LIST_DIR}/engine_bench.cpp)
target_link_libraries(zc_engine_bench PRIVATE zc_engine benchmark::benchmark ${ZC_MUPARSER_LIBRARY})
zc_target_defaults(zc_engine_bench)
