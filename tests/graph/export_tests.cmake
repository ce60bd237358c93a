# Picture exports: the metafile device and the graph's pictures in every
# format, read back.
add_executable(zc_metafile_device_test
  ${CMAKE_CURRENT_LIST_DIR}/metafile_device_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile_walk.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_test_main.cpp
)
target_link_libraries(zc_metafile_device_test PRIVATE zc_graph GTest::gtest)
zc_target_defaults(zc_metafile_device_test)
add_test(NAME zc_metafile_device_test COMMAND zc_metafile_device_test)
set_tests_properties(zc_metafile_device_test PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")

add_executable(zc_graph_export_test
  ${CMAKE_CURRENT_LIST_DIR}/graph_export_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile_walk.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_test_main.cpp
)
target_link_libraries(zc_graph_export_test PRIVATE zc_graph GTest::gtest)
zc_target_defaults(zc_graph_export_test)
add_test(NAME zc_graph_export_test COMMAND zc_graph_export_test)
set_tests_properties(zc_graph_export_test PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")
