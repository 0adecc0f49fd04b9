# Tests of the Windows build, run under Wine. GoogleTest is built from Debian's sources with
# the same compiler (its targets name themselves GTest::gtest and so on). Each test program is one test here, run whole: Wine starts in seconds,
# not milliseconds, and asking every program for its list of cases would double that.
set(SCRIBANE_TESTS_WINE words settings cheque windows bouton)

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Wine keeps its state in a prefix of the build's own: a first start builds it (about two
# minutes), the tests after it take seconds.
set(SCRIBANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)

# Stands in for GoogleTest's discovery: one test per program, named after it, run in the
# build's Wine prefix. PROPERTIES are passed on; other options are dropped.
function(gtest_discover_tests cible)
  cmake_parse_arguments(PARSE_ARGV 1 opt "" "TEST_PREFIX;DISCOVERY_MODE;DISCOVERY_TIMEOUT"
    "PROPERTIES;EXTRA_ARGS")
  set(nom "wine.${cible}")
  add_test(NAME ${nom} COMMAND ${cible} --gtest_brief=1 ${opt_EXTRA_ARGS}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(opt_PROPERTIES)
    set_tests_properties(${nom} PROPERTIES ${opt_PROPERTIES})
  endif()
  set_property(TEST ${nom} APPEND PROPERTY ENVIRONMENT
    WINEPREFIX=${SCRIBANE_WINEPREFIX} WINEDEBUG=-all QT_QPA_PLATFORM=offscreen)
  set_tests_properties(${nom} PROPERTIES FIXTURES_REQUIRED wine.prefixe TIMEOUT 900)
endfunction()

# The prefix made once, before any test, with Windows' own fonts mapped to Liberation.
add_test(NAME wine.prefixe
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefixe ${SCRIBANE_WINEPREFIX})
set_tests_properties(wine.prefixe PROPERTIES FIXTURES_SETUP wine.prefixe TIMEOUT 600)
