# The function layer: built-in functions, angle conversion, power rule, rnd.
target_sources(zc_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/arithmetic_checks.h
  ${CMAKE_CURRENT_LIST_DIR}/function_library.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statistical_functions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statistical_functions.h
  ${CMAKE_CURRENT_LIST_DIR}/whole_number_functions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/whole_number_functions.h
  ${CMAKE_CURRENT_LIST_DIR}/random_state.cpp
)
