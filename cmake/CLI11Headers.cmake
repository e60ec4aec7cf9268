# SPDX-License-Identifier: GPL-3.0-or-later
# CLI11 is header-only. A native build takes Debian's package as it is; a cross build cannot put
# the build machine's /usr/include on its search path (its C library headers would shadow the
# target's), so it sees the CLI11 headers alone through a folder holding a link to them.
if(NOT CMAKE_CROSSCOMPILING)
    find_package(CLI11 REQUIRED)
    return()
endif()

find_path(WENDRIX_CLI11_INCLUDE_DIR CLI/CLI.hpp
    PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(cli11_headers ${CMAKE_BINARY_DIR}/cli11-headers)
file(MAKE_DIRECTORY ${cli11_headers})
file(CREATE_LINK ${WENDRIX_CLI11_INCLUDE_DIR}/CLI ${cli11_headers}/CLI SYMBOLIC)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${cli11_headers})
