# The graph tool: sampling, range rules, zoom and pan arithmetic, the window
# itself and zeltacalc-plot, each under both locales.
add_executable(zc_plot_sampling_test
  ${CMAKE_CURRENT_LIST_DIR}/plot_sampling_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_test_main.cpp
)
target_link_libraries(zc_plot_sampling_test PRIVATE zc_graph_plot GTest::gtest)
zc_target_defaults(zc_plot_sampling_test)
zc_add_test_in_both_locales(zc_plot_sampling_test "${ZC_QT_TEST_ENV}")

add_executable(zc_view_navigation_test
  ${CMAKE_CURRENT_LIST_DIR}/view_navigation_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_test_main.cpp
)
target_link_libraries(zc_view_navigation_test PRIVATE zc_graph_plot GTest::gtest)
zc_target_defaults(zc_view_navigation_test)
zc_add_test_in_both_locales(zc_view_navigation_test "${ZC_QT_TEST_ENV}")

add_executable(zc_graph_tool_window_test ${CMAKE_CURRENT_LIST_DIR}/graph_tool_window_test.cpp)
target_include_directories(zc_graph_tool_window_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zc_graph_tool_window_test PRIVATE zc_test_prompts zc_graph_tool Qt6::Test)
# The plotter's picture is compared with the window's.
target_compile_definitions(zc_graph_tool_window_test PRIVATE ZC_PLOT_EXECUTABLE="$<TARGET_FILE:zeltacalc-plot>")
add_dependencies(zc_graph_tool_window_test zeltacalc-plot)
zc_target_defaults(zc_graph_tool_window_test)
zc_add_test_in_both_locales(zc_graph_tool_window_test "${ZC_QT_TEST_ENV}")

add_executable(zc_plot_cli_test ${CMAKE_CURRENT_LIST_DIR}/plot_cli_test.cpp)
target_link_libraries(zc_plot_cli_test PRIVATE zc_plot_cli zc_test_support GTest::gtest)
# The hostile files the data-file and output tests put in place.
target_include_directories(zc_plot_cli_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../common)
target_compile_definitions(zc_plot_cli_test PRIVATE ZC_PLOT_EXECUTABLE="$<TARGET_FILE:zeltacalc-plot>")
add_dependencies(zc_plot_cli_test zeltacalc-plot)
zc_target_defaults(zc_plot_cli_test)
zc_add_test_in_both_locales(zc_plot_cli_test)
