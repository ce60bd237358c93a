# The two readers behind the listing of a plugin library's procedures.
foreach(reader pe elf)
  add_executable(fuzz_${reader}_exports fuzz_${reader}_exports.cpp ${PROJECT_SOURCE_DIR}/src/engine/library_exports.cpp)
  target_include_directories(fuzz_${reader}_exports PRIVATE ${PROJECT_SOURCE_DIR}/src/engine)
  target_compile_options(fuzz_${reader}_exports PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  target_link_options(fuzz_${reader}_exports PRIVATE -fsanitize=fuzzer,address,undefined)
endforeach()
