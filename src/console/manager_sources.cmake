# The user function manager.
target_sources(zc_console PRIVATE
  user_func_man.cpp
  user_func_man.h
  user_function_list_model.cpp
  user_function_list_model.h
  user_function_naming.cpp
  user_function_naming.h
)
