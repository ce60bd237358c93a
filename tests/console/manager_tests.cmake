# The user function manager.
add_executable(zc_user_func_man_tests user_func_man_test.cpp)
target_link_libraries(zc_user_func_man_tests PRIVATE zc_test_prompts zc_console Qt6::Test)
target_compile_definitions(zc_user_func_man_tests PRIVATE
  ZC_ELF_EXPORTS_PLUGIN="$<TARGET_FILE:zc_test_elf_exports_plugin>")
add_dependencies(zc_user_func_man_tests zc_test_elf_exports_plugin)
zc_target_defaults(zc_user_func_man_tests)
add_test(NAME zc_user_func_man_tests COMMAND zc_user_func_man_tests)
set_tests_properties(zc_user_func_man_tests PROPERTIES ENVIRONMENT "${ZC_QT_TEST_ENV}")
