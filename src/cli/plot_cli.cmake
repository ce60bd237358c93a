# zeltacalc-plot: the graph tool's picture from the command line, no display.
add_library(zc_plot_cli STATIC
  ${CMAKE_CURRENT_LIST_DIR}/plot_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plot_options.h
)
target_include_directories(zc_plot_cli PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zc_plot_cli PUBLIC zc_graph_plot zc_common)
zc_target_defaults(zc_plot_cli)

add_executable(zeltacalc-plot ${CMAKE_CURRENT_LIST_DIR}/plot_main.cpp)
# The data folder is read exactly as zeltacalc-console reads it.
target_link_libraries(zeltacalc-plot PRIVATE zc_plot_cli zc_console_cli Qt6::Gui)
zc_target_defaults(zeltacalc-plot)
