# Warnings for our own targets. The engine relies on IEEE semantics and the
# floating-point status flags, so no target may be built with -ffast-math.
function(zc_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -fno-fast-math)
  if(ZC_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

if(ZC_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
