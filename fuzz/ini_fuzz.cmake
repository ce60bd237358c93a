# The INI reader and the Functions.inf reader, from raw file bytes. The
# sources are compiled into the target so that all of them are instrumented.
add_executable(fuzz_ini_reader
  ${CMAKE_CURRENT_LIST_DIR}/fuzz_ini_reader.cpp
  ${PROJECT_SOURCE_DIR}/src/common/ini_file.cpp
  ${PROJECT_SOURCE_DIR}/src/common/ascii_text.cpp
  ${PROJECT_SOURCE_DIR}/src/common/text_encoding.cpp
  ${PROJECT_SOURCE_DIR}/src/common/text_lines.cpp
  ${PROJECT_SOURCE_DIR}/src/common/file_error.cpp
  ${PROJECT_SOURCE_DIR}/src/common/file_reader.cpp
  ${PROJECT_SOURCE_DIR}/src/common/atomic_file_writer.cpp
  ${PROJECT_SOURCE_DIR}/src/engine/user_function_store.cpp
)
target_include_directories(fuzz_ini_reader PRIVATE
  ${PROJECT_SOURCE_DIR}/src/common ${PROJECT_SOURCE_DIR}/src/engine)
target_compile_options(fuzz_ini_reader PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
target_link_options(fuzz_ini_reader PRIVATE -fsanitize=fuzzer,address,undefined)
