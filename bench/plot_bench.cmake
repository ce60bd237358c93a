# Sampling an expression into the graph tool's graph through the engine.
add_executable(zc_plot_bench ${CMAKE_CURRENT_LIST_DIR}/plot_bench.cpp)
target_link_libraries(zc_plot_bench PRIVATE zc_graph_plot benchmark::benchmark)
zc_target_defaults(zc_plot_bench)
