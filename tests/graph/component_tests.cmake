# The graph component: data lists, axis arithmetic and messages, clipping,
# and drawings checked pixel by pixel.
add_executable(zc_graph_component_tests
  ${CMAKE_CURRENT_LIST_DIR}/axis_scale_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_lists_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_render_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_test_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_clipping_test.cpp
)
target_link_libraries(zc_graph_component_tests PRIVATE zc_graph zc_test_support GTest::gtest)
zc_target_defaults(zc_graph_component_tests)
gtest_discover_tests(zc_graph_component_tests
  DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")

# The on-screen graph view (Qt Widgets).
add_executable(zc_graph_view_test ${CMAKE_CURRENT_LIST_DIR}/graph_view_test.cpp)
target_link_libraries(zc_graph_view_test PRIVATE zc_graph_tool Qt6::Test)
zc_target_defaults(zc_graph_view_test)
add_test(NAME zc_graph_view_test COMMAND zc_graph_view_test)
set_tests_properties(zc_graph_view_test PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")
# The view on a screen scaled to 200 %.
add_test(NAME zc_graph_view_test_scaled COMMAND zc_graph_view_test pictureHasOnePixelPerScreenPixel)
set_tests_properties(zc_graph_view_test_scaled PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV};QT_SCALE_FACTOR=2")
