# AddressSanitizer and UndefinedBehaviorSanitizer for every target of the
# tree (-DZC_SANITIZE=ON). Set here once, for the whole directory tree, so that
# libraries, programs, tests and plugins are instrumented alike.
if(ZC_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
