# zc_add_test(<name> <GTEST | QTEST>
#             SOURCES <file>...
#             [OWN_MAIN]
#             [BOTH_LOCALES]
#             [LIBRARIES <target>...]
#             [INCLUDE_DIRECTORIES <dir>...]
#             [DEFINITIONS <definition>...]
#             [DEPENDS <target>...])
#
# One test program and its ctest entries.
#
# GTEST   GoogleTest. Every case becomes its own ctest entry, named
#         "<name>.<Suite>.<Case>", so that one case can be run or seen failing
#         on its own. The program gets GoogleTest's main() unless its sources
#         bring their own (OWN_MAIN).
# QTEST   QtTest. The program is one ctest entry, named <name>.
#
# Names read zc_<area>_<what>_test; <area> becomes the entries' label, so
# `ctest -L engine` runs one area. Every entry runs on Qt's offscreen
# platform: the tests never need a display, and programs without Qt ignore it.
#
# BOTH_LOCALES runs every entry twice: under C.UTF-8, and under de_DE.UTF-8
# (whose C library writes a decimal comma) with ".de_DE" after the entry's
# name. For programs whose number texts must not depend on the locale; they
# take the locale from the environment, as Qt does at start.
#
# DEPENDS names targets the test runs or loads (programs, plugins) that the
# test program does not link.
#
# zc_add_test_run(<name> <suffix> [ENVIRONMENT <var=value>...] [ARGS <arg>...])
#
# One more ctest entry, <name>.<suffix>, for a QtTest program made by
# zc_add_test(): the program run with ARGS (for instance one test function)
# and ENVIRONMENT on top of the usual environment.

include_guard(GLOBAL)
include(GoogleTest)

set(ZC_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
# Cases are listed when ctest starts rather than at build time, so a build
# never runs a test program; the limit leaves room for sanitizer builds.
set(ZC_TEST_DISCOVERY_TIMEOUT 60)
# The locales of BOTH_LOCALES, as ctest environment modifications.
set(ZC_C_LOCALE "LC_ALL=set:C.UTF-8")
set(ZC_DECIMAL_COMMA_LOCALE "LC_ALL=set:de_DE.UTF-8")

function(zc_add_test name kind)
  cmake_parse_arguments(PARSE_ARGV 2 arg "OWN_MAIN;BOTH_LOCALES" ""
    "SOURCES;LIBRARIES;INCLUDE_DIRECTORIES;DEFINITIONS;DEPENDS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "zc_add_test(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT name MATCHES "^zc_([a-z]+)_[a-z0-9_]+_test$")
    message(FATAL_ERROR "zc_add_test(${name}): test names read zc_<area>_<what>_test")
  endif()
  set(area ${CMAKE_MATCH_1})
  if(NOT arg_SOURCES)
    message(FATAL_ERROR "zc_add_test(${name}): no SOURCES")
  endif()

  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES})
  if(arg_INCLUDE_DIRECTORIES)
    target_include_directories(${name} PRIVATE ${arg_INCLUDE_DIRECTORIES})
  endif()
  if(arg_DEFINITIONS)
    target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
  endif()
  if(arg_DEPENDS)
    add_dependencies(${name} ${arg_DEPENDS})
  endif()
  zc_target_defaults(${name})

  # Each run: a name suffix ("-" for none) and a locale ("-": the
  # environment's own).
  if(arg_BOTH_LOCALES)
    set(suffixes - .de_DE)
    set(locales "${ZC_C_LOCALE}" "${ZC_DECIMAL_COMMA_LOCALE}")
  else()
    set(suffixes -)
    set(locales -)
  endif()

  if(kind STREQUAL "GTEST")
    if(arg_OWN_MAIN)
      target_link_libraries(${name} PRIVATE GTest::gtest)
    else()
      target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    set(run 0)
    foreach(suffix IN LISTS suffixes)
      list(GET locales ${run} locale)
      set(properties LABELS ${area} ENVIRONMENT "${ZC_TEST_ENVIRONMENT}")
      if(NOT locale STREQUAL "-")
        list(APPEND properties ENVIRONMENT_MODIFICATION "${locale}")
      endif()
      set(suffix_argument "")
      if(NOT suffix STREQUAL "-")
        set(suffix_argument TEST_SUFFIX ${suffix})
      endif()
      gtest_discover_tests(${name}
        TEST_PREFIX "${name}."
        ${suffix_argument}
        TEST_LIST ${name}_cases_${run}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT ${ZC_TEST_DISCOVERY_TIMEOUT}
        PROPERTIES ${properties})
      math(EXPR run "${run} + 1")
    endforeach()
  elseif(kind STREQUAL "QTEST")
    if(arg_OWN_MAIN)
      message(FATAL_ERROR "zc_add_test(${name}): OWN_MAIN is for GTEST programs")
    endif()
    target_link_libraries(${name} PRIVATE Qt6::Test)
    set(run 0)
    foreach(suffix IN LISTS suffixes)
      list(GET locales ${run} locale)
      set(test_name ${name})
      if(NOT suffix STREQUAL "-")
        string(APPEND test_name ${suffix})
      endif()
      add_test(NAME ${test_name} COMMAND ${name})
      set_tests_properties(${test_name} PROPERTIES LABELS ${area} ENVIRONMENT "${ZC_TEST_ENVIRONMENT}")
      if(NOT locale STREQUAL "-")
        set_tests_properties(${test_name} PROPERTIES ENVIRONMENT_MODIFICATION "${locale}")
      endif()
      math(EXPR run "${run} + 1")
    endforeach()
  else()
    message(FATAL_ERROR "zc_add_test(${name}): the kind is GTEST or QTEST, not '${kind}'")
  endif()
endfunction()

function(zc_add_test_run name suffix)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "ENVIRONMENT;ARGS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "zc_add_test_run(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  get_test_property(${name} LABELS labels)
  if(NOT labels)
    message(FATAL_ERROR "zc_add_test_run(${name}): no QtTest program ${name} made by zc_add_test()")
  endif()
  add_test(NAME ${name}.${suffix} COMMAND ${name} ${arg_ARGS})
  set_tests_properties(${name}.${suffix} PROPERTIES
    LABELS "${labels}"
    ENVIRONMENT "${ZC_TEST_ENVIRONMENT};${arg_ENVIRONMENT}")
endfunction()
