# The user function store (Functions.inf).
target_sources(zc_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/user_function_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_function_store.h
)
