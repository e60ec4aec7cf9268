# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts in place and how CPack turns the same install rules into a Debian
# package. Included from the top-level CMakeLists.txt after the programs are defined, so the install
# rules name the programs here and no other folder carries install() calls: whatever is installed
# is listed in this file and in Linux.cmake, and the package test checks that nothing else comes
# along. On Windows, the portable folder's Qt and runtime DLLs are listed in Windows.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/Windows.cmake)
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/Release.cmake)

if(TARGET wendrix)
    # BUNDLE only matters on macOS, where the target is an application bundle.
    install(TARGETS wendrix
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        BUNDLE DESTINATION .)
endif()

if(TARGET wendrix-cli)
    install(TARGETS wendrix-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(WENDRIX_PACKAGE_MAINTAINER "Wendrix developers <wendrix@example.org>"
    CACHE STRING "Maintainer line of the Debian package (name <e-mail>)")

# The Debian revision of the package: 1 for the first package of each version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)

if(UNIX AND NOT APPLE)
    # The menu entry, icon, metadata, manual pages and package documents.
    include(${CMAKE_CURRENT_LIST_DIR}/Linux.cmake)
endif()

set(CPACK_PACKAGE_NAME wendrix)
set(CPACK_PACKAGE_VENDOR "Wendrix")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${WENDRIX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Radio club's yearly survey of confirmed DXCC entities")
# Lines of at most 80 characters, as dpkg shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "A member station imports its ADIF logs (paper QSL, LoTW, eQSL) into a matrix"
    "of DXCC entities by band and mode class, corrects it by hand, and saves and"
    "prints the survey list. The club's evaluator reads every member's list and"
    "gets, per entity, band and mode class, the share of lists that confirm it."
    "The package holds the desktop program wendrix and the command-line tool"
    "wendrix-cli.")
# Stripped programs: the build type keeps debug information, which the package does not need.
set(CPACK_STRIP_FILES ON)
# A Debian package on Linux; elsewhere a ZIP of the installed files (on Windows a portable folder
# with Qt's libraries, see Windows.cmake).
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(CPACK_GENERATOR DEB)
else()
    set(CPACK_GENERATOR ZIP)
endif()

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${WENDRIX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps reads the installed Qt and C++ runtime packages' own dependency information, so
# Depends follows whatever the programs link, with the versions of the build machine.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's texts are laid out for Arial's metrics; this is the free font with the same ones.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)

include(CPack)
