# Cross-building the 64-bit Windows DLLs and programs with MinGW-w64 (posix threads), run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QW_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${QW_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QW_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QW_MINGW_TRIPLE}-windres)

# Only the Windows sysroot answers library and package searches: nothing of the build machine's
# own /usr may end up on a Windows link line.
set(CMAKE_FIND_ROOT_PATH /usr/${QW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthread go into each module, so a server needs no runtime DLL of
# ours; the system's import libraries stay imports.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Programs built here run under Wine, in a prefix of their own inside the build tree, quietly.
find_program(QW_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QW_WINE AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(QW_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix for the test runs")
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${QW_WINEPREFIX} WINEDEBUG=-all ${QW_WINE})
endif()
