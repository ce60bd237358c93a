# Sampling expressions into the graph and the tool's graph settings: no
# widgets, shared by the graph tool window and zeltacalc-plot.
add_library(zc_graph_plot STATIC
  ${CMAKE_CURRENT_LIST_DIR}/curve_legend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/curve_legend.h
  ${CMAKE_CURRENT_LIST_DIR}/plot_sampling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plot_sampling.h
  ${CMAKE_CURRENT_LIST_DIR}/tool_graph_setup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_graph_setup.h
  ${CMAKE_CURRENT_LIST_DIR}/view_navigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_navigation.h
)
target_include_directories(zc_graph_plot PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zc_graph_plot PUBLIC zc_graph zc_engine zc_common)
zc_target_defaults(zc_graph_plot)

# The graph tool window TForm5.
target_sources(zc_graph_tool PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graph_tool_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_tool_window.h
)
target_link_libraries(zc_graph_tool PUBLIC zc_graph_plot)
