# Warnings for our own targets. The engine relies on IEEE semantics and the
# floating-point status flags, so no target may be built with -ffast-math.
function(zc_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -fno-fast-math)
endfunction()
