# The expression part of the engine: entry, scanner, units, named values,
# user-function calls and plugin libraries.
target_sources(zc_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calc_expression.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decimal_conversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/name_value_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/named_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/operators.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plugin_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/result_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/str_tok.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit_evaluation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_function_call.cpp
)
