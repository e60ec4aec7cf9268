# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-building for 64-bit Windows with Debian's MinGW-w64 tool chain (posix threads), e.g.
#   cmake -S . -B build-windows -G Ninja --toolchain cmake/toolchains/mingw-w64-x86_64.cmake
# Programs are linked statically, so a single .exe runs on Windows (and under Wine) without
# MinGW's runtime DLLs beside it. The build and CTest run them through Wine.
# With -DWENDRIX_MINGW_SHARED_RUNTIME=ON they use MinGW's runtime DLLs instead: Qt's own DLLs
# need those, and a program linked against Qt must share them rather than carry a second copy
# of the C++ runtime (building Qt itself and the desktop program).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Appended, so that -DCMAKE_FIND_ROOT_PATH=QT_PREFIX adds a cross-built Qt to the search.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES WENDRIX_MINGW_SHARED_RUNTIME)
if(NOT WENDRIX_MINGW_SHARED_RUNTIME)
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()

# Wine runs the programs the build needs (the country list embedder) and the tests.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../tools/wine-run.sh)
