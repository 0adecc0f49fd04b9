# What a Windows program of this build needs beside it: Qt's libraries and plugins, the
# compiler's run-time libraries, Qt's own French texts, and a qt.conf that tells Qt to look
# for all of it in the program's folder. Copied into the build's bin folder (the tests run
# from there under Wine) and installed with the programs.
get_filename_component(_qt_racine "${Qt6_DIR}/../../.." ABSOLUTE)
set(_bin "${CMAKE_BINARY_DIR}/bin")

set(SCRIBANE_DLL_QT Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport)
set(_plugins platforms/qwindows.dll platforms/qoffscreen.dll platforms/qminimal.dll
  styles/qwindowsvistastyle.dll imageformats/qico.dll)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE _libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll
  OUTPUT_VARIABLE _libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
find_file(_libwinpthread libwinpthread-1.dll
  PATHS /usr/x86_64-w64-mingw32/lib /usr/x86_64-w64-mingw32/bin NO_DEFAULT_PATH REQUIRED)
set(_execution "${_libstdcxx}" "${_libgcc}" "${_libwinpthread}")
foreach(f ${_execution})
  if(NOT EXISTS "${f}")
    message(FATAL_ERROR "Bibliothèque d'exécution MinGW introuvable : ${f}")
  endif()
endforeach()
find_file(_qtbase_fr qtbase_fr.qm
  PATHS "${_qt_racine}/translations" /usr/share/qt6/translations NO_DEFAULT_PATH)

file(MAKE_DIRECTORY "${_bin}")
set(_dll_qt)
foreach(nom ${SCRIBANE_DLL_QT})
  list(APPEND _dll_qt "${_qt_racine}/bin/${nom}.dll")
endforeach()
file(COPY ${_dll_qt} ${_execution} DESTINATION "${_bin}")
if(SCRIBANE_TESTS)
  file(COPY "${_qt_racine}/bin/Qt6Test.dll" DESTINATION "${_bin}")
endif()
foreach(p ${_plugins})
  get_filename_component(dossier ${p} DIRECTORY)
  file(COPY "${_qt_racine}/plugins/${p}" DESTINATION "${_bin}/plugins/${dossier}")
  install(FILES "${_qt_racine}/plugins/${p}" DESTINATION plugins/${dossier})
endforeach()
set(_qtconf "[Paths]\nPrefix = .\nPlugins = plugins\nTranslations = translations\n")
file(WRITE "${_bin}/qt.conf" "${_qtconf}")
if(_qtbase_fr)
  file(COPY "${_qtbase_fr}" DESTINATION "${_bin}/translations")
  install(FILES "${_qtbase_fr}" DESTINATION translations)
endif()
install(FILES ${_dll_qt} ${_execution} "${_bin}/qt.conf" DESTINATION .)

# The icon, made from the package's picture, for the installer and the programs.
find_program(SCRIBANE_MAGICK NAMES convert REQUIRED)
set(SCRIBANE_ICO ${CMAKE_BINARY_DIR}/scribane.ico CACHE INTERNAL "")
execute_process(COMMAND ${SCRIBANE_MAGICK} ${CMAKE_SOURCE_DIR}/packaging/scribane.png
  -define icon:auto-resize=256,64,48,32,16 ${SCRIBANE_ICO}
  RESULT_VARIABLE _icone)
if(NOT _icone EQUAL 0)
  message(FATAL_ERROR "L'icône scribane.ico n'a pas pu être faite.")
endif()
