# Picture exports of the graph: bitmaps, metafiles (our own paint device),
# SVG and PDF, for files and the clipboard.
target_sources(zc_graph PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graph_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_export.h
  ${CMAKE_CURRENT_LIST_DIR}/metafile_recorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile_recorder.h
  ${CMAKE_CURRENT_LIST_DIR}/metafile_paint_device.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile_paint_device.h
  ${CMAKE_CURRENT_LIST_DIR}/metafile_paint_engine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile_paint_engine.h
  ${CMAKE_CURRENT_LIST_DIR}/emf_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/emf_writer.h
  ${CMAKE_CURRENT_LIST_DIR}/wmf_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wmf_writer.h
)
target_link_libraries(zc_graph PUBLIC Qt6::Svg PRIVATE zc_common)
