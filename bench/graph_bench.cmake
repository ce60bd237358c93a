# Repaint of the graph component at the graph tool's size.
add_executable(zc_graph_bench ${CMAKE_CURRENT_LIST_DIR}/graph_repaint_bench.cpp)
target_link_libraries(zc_graph_bench PRIVATE zc_graph benchmark::benchmark)
zc_target_defaults(zc_graph_bench)
