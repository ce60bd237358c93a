# Listing the procedures a plugin library exports.
add_library(zc_test_elf_exports_plugin SHARED fixtures/elf_exports_plugin.cpp)
set_target_properties(zc_test_elf_exports_plugin PROPERTIES
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
  CXX_VISIBILITY_PRESET default)

add_executable(zc_library_exports_tests library_exports_test.cpp)
target_link_libraries(zc_library_exports_tests PRIVATE zc_engine GTest::gtest_main)
target_compile_definitions(zc_library_exports_tests PRIVATE
  ZC_TINY_PLUGIN_DLL="${CMAKE_CURRENT_SOURCE_DIR}/fixtures/tiny_plugin.dll"
  ZC_ELF_EXPORTS_PLUGIN="$<TARGET_FILE:zc_test_elf_exports_plugin>")
add_dependencies(zc_library_exports_tests zc_test_elf_exports_plugin)
zc_target_defaults(zc_library_exports_tests)
gtest_discover_tests(zc_library_exports_tests)
