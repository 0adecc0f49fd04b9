# The Windows installer: cpack -G NSIS64 gives scribane-<version>-win64.exe, in French,
# with a Start menu entry and its icon, and an uninstaller listed in Windows' settings.
# Everything lands in one folder, the programs beside their libraries.

# The guide, readable in a browser too.
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide/guide.html DESTINATION .)

set(CPACK_GENERATOR NSIS64)
set(CPACK_PACKAGE_NAME Scribane)
set(CPACK_PACKAGE_VENDOR "L'équipe Scribane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Remplit les chèques bancaires français pré-imprimés")
set(CPACK_PACKAGE_FILE_NAME "scribane-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Scribane")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Scribane")
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/windows)
set(CPACK_NSIS_PACKAGE_NAME "Scribane")
set(CPACK_NSIS_DISPLAY_NAME "Scribane ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${SCRIBANE_ICO})
set(CPACK_NSIS_MUI_UNIICON ${SCRIBANE_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME "scribane.exe")
set(CPACK_NSIS_URL_INFO_ABOUT "${SCRIBANE_ADRESSE_WEB}")
set(CPACK_NSIS_CONTACT "${SCRIBANE_ADRESSE_COURRIEL}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_UNINSTALL_NAME "Desinstaller")
# The Start menu entry: scribane.exe, named "Scribane".
set(CPACK_PACKAGE_EXECUTABLES "scribane;Scribane")
# The settings and journals are the user's (in %LOCALAPPDATA%\Scribane): the uninstaller
# removes only what the installer put down.
set(CPACK_STRIP_FILES ON)
include(CPack)
