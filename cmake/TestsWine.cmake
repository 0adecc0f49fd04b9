# Tests of the Windows build, run under Wine. GoogleTest is built from Debian's sources with
# the same compiler (its targets name themselves GTest::gtest and so on). Each test program
# is one test here, run whole through tests/support/sous-wine.sh: Wine starts in seconds, not
# milliseconds, and a crash under Wine can end a process with status 0, so a program passes
# only when it says so.
set(SCRIBANE_TESTS_WINE words settings cheque registre windows bouton)

# Programs with windows run on Windows' own platform, on a display of their own: Wine's
# offscreen windows are never shown, and a case waiting for that waits in vain.
set(SCRIBANE_WINE_ECRAN test_windows bouton_tests)
set(SCRIBANE_WINE_DISPLAY :95)

# Cases Wine cannot show as Windows would. Each is run on Linux.
set(SCRIBANE_WINE_SAUF
  # no window manager under Wine's display: nothing minimises, frames are guessed
  "test_windows:Commandes.MinimisingByThePictureOrAltMOnlyFromTheNormalState"
  "test_windows:Boutons.AWindowOpensCentredOnItsParentAndOnTheScreenAndTheMainWindowKeepsItsPlace"
  # a home given by $HOME, and the screen names of X: Unix cases
  "test_windows:Demarrage.WithoutTheControlLibraryAPlainLabelShowsTheWords"
  "test_windows:ApercuEcran.AKeptCorrectionIsReadWithSuspicion"
  # the reconciliation's dialogs, answered from a timer, never close on Wine's display
  "test_windows:HistoriqueRapprocher.*"
  # bouton-regsvr run as a separate process writes %APPDATA%, not the tests' own folder
  "bouton_tests:Registre.RegsvrRegistersAndUnregisters")

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Wine keeps its state in a prefix of the build's own: a first start builds it, the tests
# after it take seconds.
set(SCRIBANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)

# Stands in for GoogleTest's discovery: one test per program, named after it, run in the
# build's Wine prefix. PROPERTIES are passed on; other options are dropped.
function(gtest_discover_tests cible)
  cmake_parse_arguments(PARSE_ARGV 1 opt "" "TEST_PREFIX;DISCOVERY_MODE;DISCOVERY_TIMEOUT"
    "PROPERTIES;EXTRA_ARGS")
  set(nom "wine.${cible}")
  set(sauf)
  foreach(s ${SCRIBANE_WINE_SAUF})
    if(s MATCHES "^${cible}:(.*)$")
      list(APPEND sauf ${CMAKE_MATCH_1})
    endif()
  endforeach()
  list(JOIN sauf ":" sauf)
  set(options)
  if(sauf)
    set(options --sauf ${sauf})
  endif()
  add_test(NAME ${nom}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/support/sous-wine.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
      $<TARGET_FILE:${cible}> ${options}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(opt_PROPERTIES)
    set_tests_properties(${nom} PROPERTIES ${opt_PROPERTIES})
  endif()
  # Every program of the prefix sees the same display: Wine's desktop belongs to the
  # first one its server starts, and one started without a display leaves the others none.
  set_property(TEST ${nom} PROPERTY ENVIRONMENT WINEPREFIX=${SCRIBANE_WINEPREFIX} WINEDEBUG=-all
    DISPLAY=${SCRIBANE_WINE_DISPLAY})
  if(cible IN_LIST SCRIBANE_WINE_ECRAN)
    set_property(TEST ${nom} APPEND PROPERTY ENVIRONMENT QT_QPA_PLATFORM=windows)
    # One at a time on the display: each expects the focus it gives.
    set_tests_properties(${nom} PROPERTIES RESOURCE_LOCK wine.ecran)
  else()
    set_property(TEST ${nom} APPEND PROPERTY ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
  set_tests_properties(${nom} PROPERTIES FIXTURES_REQUIRED "wine.prefixe;wine.ecran" TIMEOUT 1800)
endfunction()

# The prefix made once, before any test, with Windows' own fonts mapped to Liberation.
add_test(NAME wine.prefixe
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefixe ${SCRIBANE_WINEPREFIX})
set_tests_properties(wine.prefixe PROPERTIES FIXTURES_SETUP wine.prefixe TIMEOUT 600
  FIXTURES_REQUIRED wine.ecran ENVIRONMENT DISPLAY=${SCRIBANE_WINE_DISPLAY})
# The display of the programs with windows.
add_test(NAME wine.ecran.demarrer
  COMMAND ${CMAKE_SOURCE_DIR}/tests/support/ecran-wine.sh demarrer ${SCRIBANE_WINE_DISPLAY})
add_test(NAME wine.ecran.arreter
  COMMAND ${CMAKE_SOURCE_DIR}/tests/support/ecran-wine.sh arreter ${SCRIBANE_WINE_DISPLAY})
set_tests_properties(wine.ecran.demarrer PROPERTIES FIXTURES_SETUP wine.ecran)
set_tests_properties(wine.ecran.arreter PROPERTIES FIXTURES_CLEANUP wine.ecran)
