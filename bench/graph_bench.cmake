# Repaint of the graph component at the graph tool's size.
add_executable(zc_graph_bench ${CMAKE_CURRENT_LIST_DIR}/graph_repaint_bench.cpp)
target_link_libraries(zc_graph_bench PRIVATE zc_graph benchmark::benchmark)
zc_target_defaults(zc_graph_bench)

# A zoom step of the graph tool with three curves: range, layout, sampling
# through the engine and repaint.
add_executable(zc_graph_zoom_bench ${CMAKE_CURRENT_LIST_DIR}/graph_zoom_bench.cpp)
target_link_libraries(zc_graph_zoom_bench PRIVATE zc_graph_tool benchmark::benchmark)
zc_target_defaults(zc_graph_zoom_bench)
