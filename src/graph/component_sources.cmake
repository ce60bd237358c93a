# The graph component: data lists, axes, the graph and its series kinds.
target_sources(zc_graph PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/axis_ticks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/axis_ticks.h
  ${CMAKE_CURRENT_LIST_DIR}/axis_types.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_axis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_axis.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_error.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_lists.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_marker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_marker.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_series.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_series.h
  ${CMAKE_CURRENT_LIST_DIR}/series_clipping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_clipping.h
  ${CMAKE_CURRENT_LIST_DIR}/series_kinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_kinds.h
  ${CMAKE_CURRENT_LIST_DIR}/store_changed.h
  ${CMAKE_CURRENT_LIST_DIR}/xy_graph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xy_graph.h
  ${CMAKE_CURRENT_LIST_DIR}/xy_series_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xy_series_line.h
  ${CMAKE_CURRENT_LIST_DIR}/xy_series_point.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xy_series_point.h
  ${CMAKE_CURRENT_LIST_DIR}/xy_series_polygon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xy_series_polygon.h
)
