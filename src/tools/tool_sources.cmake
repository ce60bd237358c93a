target_sources(zc_tools PRIVATE
  prime_cache.cpp
  prime_cache_file.cpp
  prime_math.cpp
  is_primenum_dlg.cpp
  fraction_math.cpp
  yaku_dlg.cpp
  quadratic_math.cpp
  right_edit.cpp
  niji_dlg.cpp
  numeric_calculus.cpp
  lim_int_win.cpp
)
