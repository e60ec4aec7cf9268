# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler settings shared by every target of the project.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

option(WENDRIX_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(WENDRIX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_library(wendrix_options INTERFACE)
target_compile_features(wendrix_options INTERFACE cxx_std_20)
if(MSVC)
    # The sources are UTF-8 (the German texts); without /utf-8 MSVC reads them in the machine's
    # code page and the program's strings come out wrong.
    target_compile_options(wendrix_options INTERFACE /W4 /utf-8 /permissive- /Zc:__cplusplus)
else()
    target_compile_options(wendrix_options INTERFACE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
        -Woverloaded-virtual)
endif()
if(WIN32)
    # The Win32 API in its wide (UTF-16) form, without the min/max macros that break std code.
    target_compile_definitions(wendrix_options INTERFACE
        UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
endif()
if(WENDRIX_WARNINGS_AS_ERRORS)
    target_compile_options(wendrix_options INTERFACE $<IF:$<CXX_COMPILER_ID:MSVC>,/WX,-Werror>)
endif()
if(WENDRIX_SANITIZE)
    target_compile_options(wendrix_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(wendrix_options INTERFACE -fsanitize=address,undefined)
endif()
