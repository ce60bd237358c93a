# The on-screen host of the graph component.
target_sources(zc_graph_tool PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graph_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_view.h
)
