# SPDX-License-Identifier: GPL-3.0-or-later
# What a Linux installation carries besides the programs: the menu entry and icon, the AppStream
# metadata that software centres read, the manual pages, and the documents a Debian package
# needs (copyright, upstream and Debian changelogs, lintian overrides). Included from
# Packaging.cmake; the version and its date come from Release.cmake.

# The identifier of the desktop program in software centres, the name of its menu entry and of
# its metadata file, and the application id the window reports to Wayland compositors. A
# reverse domain name, as AppStream asks; the project has no domain of its own yet, so this is
# the documentation domain until it has one.
set(WENDRIX_APP_ID "org.example.wendrix" CACHE STRING
    "Reverse-domain identifier of the desktop program (menu entry and AppStream id)")
set(WENDRIX_HOMEPAGE "https://example.org/wendrix" CACHE STRING
    "Home page named in the AppStream metadata")
set(WENDRIX_SCREENSHOT_URL "${WENDRIX_HOMEPAGE}/docs" CACHE STRING
    "Web folder that serves the pictures of docs/ for the AppStream metadata")

set(docDirectory ${CMAKE_INSTALL_DATADIR}/doc/wendrix)
set(generated ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${generated})

find_program(GZIP gzip REQUIRED)
# gzip -9n: the best compression and no file name or time stamp inside, as Debian wants, so the
# same sources give the same bytes.
function(wendrix_gzip input output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${GZIP} -9nc ${input} > ${output}
        DEPENDS ${input}
        VERBATIM)
endfunction()

if(TARGET wendrix)
    target_compile_definitions(wendrix PRIVATE "WENDRIX_APP_ID=\"${WENDRIX_APP_ID}\"")
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/wendrix.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${WENDRIX_APP_ID}.desktop)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/wendrix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    set(WENDRIX_METAINFO ${generated}/${WENDRIX_APP_ID}.metainfo.xml)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wendrix.metainfo.xml.in ${WENDRIX_METAINFO} @ONLY)
    install(FILES ${WENDRIX_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Manual pages, made by help2man from the programs' own --help and --version, so they describe
# exactly the options the programs have. Not when cross-building: the programs cannot run here.
if(NOT CMAKE_CROSSCOMPILING)
    find_program(HELP2MAN help2man)
    if(NOT HELP2MAN)
        message(FATAL_ERROR "help2man is missing; tools/setup-debian.sh installs it")
    endif()
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(manDirectory ${generated}/man)
    file(MAKE_DIRECTORY ${manDirectory})
    set(manSources ${CMAKE_CURRENT_LIST_DIR}/man)
    set(WENDRIX_MAN_PAGES "")
    # The page's date is the release's, not the day of the build.
    set(help2man ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${WENDRIX_RELEASE_EPOCH} ${HELP2MAN}
        --no-info --section=1)

    if(TARGET wendrix)
        add_custom_command(OUTPUT ${manDirectory}/wendrix.1
            COMMAND ${help2man}
                "--name=desktop program for a radio club's yearly survey of confirmed DXCC entities"
                --include=${manSources}/wendrix.h2m
                --output=${manDirectory}/wendrix.1 $<TARGET_FILE:wendrix>
            DEPENDS wendrix ${manSources}/wendrix.h2m
            COMMENT "Manual page wendrix(1)"
            VERBATIM)
        list(APPEND WENDRIX_MAN_PAGES wendrix)
    endif()
    if(TARGET wendrix-cli)
        add_custom_command(OUTPUT ${manDirectory}/wendrix-cli.1
            COMMAND Python3::Interpreter ${manSources}/command_sections.py
                $<TARGET_FILE:wendrix-cli> ${manDirectory}/wendrix-cli-commands.h2m
            COMMAND ${help2man}
                "--name=DXCC catalogue, ADIF import, survey lists and club evaluation without a window"
                --include=${manSources}/wendrix-cli.h2m
                --include=${manDirectory}/wendrix-cli-commands.h2m
                --output=${manDirectory}/wendrix-cli.1 $<TARGET_FILE:wendrix-cli>
            DEPENDS wendrix-cli ${manSources}/wendrix-cli.h2m ${manSources}/command_sections.py
            BYPRODUCTS ${manDirectory}/wendrix-cli-commands.h2m
            COMMENT "Manual page wendrix-cli(1)"
            VERBATIM)
        list(APPEND WENDRIX_MAN_PAGES wendrix-cli)
    endif()

    set(manFiles "")
    foreach(page IN LISTS WENDRIX_MAN_PAGES)
        wendrix_gzip(${manDirectory}/${page}.1 ${manDirectory}/${page}.1.gz)
        list(APPEND manFiles ${manDirectory}/${page}.1 ${manDirectory}/${page}.1.gz)
        install(FILES ${manDirectory}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
    add_custom_target(wendrix_man_pages ALL DEPENDS ${manFiles})
endif()

# The documents of /usr/share/doc/wendrix: the machine-readable copyright file, this project's
# changelog and the Debian changelog of the package, which names the same version and date.
set(debianChangelog ${generated}/changelog.Debian)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in ${debianChangelog} @ONLY)
wendrix_gzip(${debianChangelog} ${generated}/changelog.Debian.gz)
wendrix_gzip(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${generated}/changelog.gz)
add_custom_target(wendrix_package_documents ALL
    DEPENDS ${generated}/changelog.Debian.gz ${generated}/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${generated}/changelog.gz
    ${generated}/changelog.Debian.gz
    DESTINATION ${docDirectory})
# What lintian is told to pass over, each with the reason in the file.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME wendrix)
