# CalcExpression on arbitrary lines, with constants, variables and user
# functions present. The engine's sources are compiled into the target so
# that all of them are instrumented.
get_target_property(ZC_FUZZ_ENGINE_SOURCES zc_engine SOURCES)
set(ZC_FUZZ_ENGINE_FILES "")
foreach(source IN LISTS ZC_FUZZ_ENGINE_SOURCES)
  if(NOT IS_ABSOLUTE ${source})
    set(source ${PROJECT_SOURCE_DIR}/src/engine/${source})
  endif()
  if(source MATCHES "\\.cpp$")
    list(APPEND ZC_FUZZ_ENGINE_FILES ${source})
  endif()
endforeach()
add_executable(fuzz_calc_expression
  ${CMAKE_CURRENT_LIST_DIR}/fuzz_calc_expression.cpp
  ${ZC_FUZZ_ENGINE_FILES}
)
target_include_directories(fuzz_calc_expression PRIVATE
  ${PROJECT_SOURCE_DIR}/src/common ${PROJECT_SOURCE_DIR}/src/engine)
target_link_libraries(fuzz_calc_expression PRIVATE zc_common ${CMAKE_DL_LIBS})
target_compile_options(fuzz_calc_expression PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
target_link_options(fuzz_calc_expression PRIVATE -fsanitize=fuzzer,address,undefined)
