# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers (the posix thread model,
# whose libstdc++ has std::thread), used by the game's Windows build and by the libraries built
# for it. Libraries and headers are looked up only in the Windows side (NAVRO_WINDOWS_PREFIX and
# the compiler's own folder), programs only on the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NAVRO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NAVRO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NAVRO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${NAVRO_MINGW}-windres)
set(CMAKE_AR ${NAVRO_MINGW}-ar CACHE FILEPATH "archiver")
set(CMAKE_RANLIB ${NAVRO_MINGW}-ranlib CACHE FILEPATH "archive indexer")

# Where tools/windows-libraries.sh installs GLFW, FreeType, GoogleTest and the header-only
# libraries; the same folder for every build that uses this file.
get_filename_component(navro_default_prefix "${CMAKE_CURRENT_LIST_DIR}/../../build/windows-cache/prefix"
  ABSOLUTE)
set(NAVRO_WINDOWS_PREFIX "${navro_default_prefix}" CACHE PATH "the Windows libraries' install folder")

set(CMAKE_FIND_ROOT_PATH ${NAVRO_WINDOWS_PREFIX} /usr/${NAVRO_MINGW})
set(CMAKE_PREFIX_PATH ${NAVRO_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wine runs the Windows programs the tests start (test discovery, ctest), in the prefix
# tools/windows-libraries.sh makes (a session of it: tools/wine_session.bash).
find_program(NAVRO_WINE wine)
if(NAVRO_WINE)
  get_filename_component(navro_wineprefix
    "${CMAKE_CURRENT_LIST_DIR}/../../build/windows-cache/wineprefix" ABSOLUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${navro_wineprefix} WINEDEBUG=-all ${NAVRO_WINE})
endif()
