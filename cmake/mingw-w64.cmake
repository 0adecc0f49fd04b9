# Cross build for 64-bit Windows with Debian's MinGW-w64 (POSIX threads).
# Qt for MinGW is looked for in SCRIBANE_QT_MINGW (scripts/qt-windows unpacks or builds
# it there); the host Qt of the same version supplies moc, rcc and uic. The libraries the
# project builds itself for Windows (SQLite) sit in SCRIBANE_WINDOWS_DEPS.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(_cache "$ENV{XDG_CACHE_HOME}")
if(NOT _cache)
  set(_cache "$ENV{HOME}/.cache")
endif()
if(NOT SCRIBANE_QT_MINGW)
  if(DEFINED ENV{SCRIBANE_QT_MINGW})
    set(SCRIBANE_QT_MINGW "$ENV{SCRIBANE_QT_MINGW}")
  else()
    set(SCRIBANE_QT_MINGW "${_cache}/scribane/qt6-mingw-6.4.2")
  endif()
endif()
if(NOT SCRIBANE_WINDOWS_DEPS)
  if(DEFINED ENV{SCRIBANE_WINDOWS_DEPS})
    set(SCRIBANE_WINDOWS_DEPS "$ENV{SCRIBANE_WINDOWS_DEPS}")
  else()
    set(SCRIBANE_WINDOWS_DEPS "${_cache}/scribane/mingw-deps")
  endif()
endif()
# try_compile projects read the toolchain again: hand them the two folders.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SCRIBANE_QT_MINGW SCRIBANE_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${SCRIBANE_QT_MINGW}" "${SCRIBANE_WINDOWS_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# Test programs run under Wine (the 64-bit loader: the wine wrapper wants the 32-bit half).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
