# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# Builds the Debian package with CPack into a scratch folder, then checks it as a distribution and
# a user's apt would see it: lintian with no error and no warning, the control fields, the exact
# list of files with their modes and owners, a valid desktop entry that starts an installed
# program and names the installed icon, a well-formed SVG icon, manual pages that man shows,
# and programs that find all their libraries once unpacked outside the build tree and report the
# package's version without a display.
#
# Inputs: CPACK, CPACK_CONFIG, VERSION (the project's), APP_ID (the desktop entry's name),
# PROGRAMS (the built programs), WORK.

function(run_checked description)
    execute_process(COMMAND ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${description} failed (${status}):\n${output}\n${errors}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

function(find_tool variable name package)
    find_program(${variable} ${name})
    if(NOT ${variable})
        message(FATAL_ERROR "${name} is missing; tools/setup-debian.sh installs ${package}")
    endif()
endfunction()

find_tool(DPKG_DEB dpkg-deb dpkg)
find_tool(DESKTOP_FILE_VALIDATE desktop-file-validate desktop-file-utils)
find_tool(PYTHON python3 python3)
find_tool(LDD ldd libc-bin)
find_tool(LINTIAN lintian lintian)
find_tool(MAN man man-db)

foreach(program IN LISTS PROGRAMS)
    if(NOT EXISTS ${program})
        message(FATAL_ERROR "${program} is not built; build the project before this test")
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
run_checked("cpack" ${CPACK} --config ${CPACK_CONFIG} -G DEB -B ${WORK}/out)

file(GLOB debs ${WORK}/out/*.deb)
list(LENGTH debs debCount)
if(NOT debCount EQUAL 1)
    message(FATAL_ERROR "expected one .deb, got: ${debs}")
endif()
get_filename_component(debName ${debs} NAME)
if(NOT debName MATCHES "^wendrix_${VERSION}-1_[a-z0-9]+\\.deb$")
    message(FATAL_ERROR "unexpected package file name ${debName}")
endif()

# Control fields.
foreach(field Package Version Section Maintainer Depends)
    run_checked("dpkg-deb --field ${field}" ${DPKG_DEB} --field ${debs} ${field})
    string(STRIP "${output}" value)
    set(control_${field} "${value}")
endforeach()
if(NOT control_Package STREQUAL "wendrix")
    message(FATAL_ERROR "Package is '${control_Package}'")
endif()
if(NOT control_Version STREQUAL "${VERSION}-1")
    message(FATAL_ERROR "Version is '${control_Version}', the project's is ${VERSION}")
endif()
if(NOT control_Section STREQUAL "hamradio")
    message(FATAL_ERROR "Section is '${control_Section}'")
endif()
if(NOT control_Maintainer MATCHES "^[^<]+ <[^@>]+@[^>]+>$")
    message(FATAL_ERROR "Maintainer is no 'name <e-mail>': '${control_Maintainer}'")
endif()
# Names of the Depends entries, each without its version and alternatives.
string(REPLACE ", " ";" dependsEntries "${control_Depends}")
set(dependsNames "")
foreach(entry IN LISTS dependsEntries)
    string(REGEX MATCH "^[^ |]+" name "${entry}")
    list(APPEND dependsNames ${name})
endforeach()
foreach(needed libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libstdc++6 libc6)
    if(NOT needed IN_LIST dependsNames)
        message(FATAL_ERROR "Depends lacks ${needed}: '${control_Depends}'")
    endif()
endforeach()

# The files: exactly these, owned by root, programs executable and data read-only for others.
set(expected
    "usr/bin/wendrix -rwxr-xr-x"
    "usr/bin/wendrix-cli -rwxr-xr-x"
    "usr/share/applications/${APP_ID}.desktop -rw-r--r--"
    "usr/share/icons/hicolor/scalable/apps/wendrix.svg -rw-r--r--"
    "usr/share/metainfo/${APP_ID}.metainfo.xml -rw-r--r--"
    "usr/share/man/man1/wendrix.1.gz -rw-r--r--"
    "usr/share/man/man1/wendrix-cli.1.gz -rw-r--r--"
    "usr/share/doc/wendrix/copyright -rw-r--r--"
    "usr/share/doc/wendrix/changelog.gz -rw-r--r--"
    "usr/share/doc/wendrix/changelog.Debian.gz -rw-r--r--"
    "usr/share/lintian/overrides/wendrix -rw-r--r--")
run_checked("dpkg-deb --contents" ${DPKG_DEB} --contents ${debs})
string(REPLACE "\n" ";" entries "${output}")
set(found "")
set(problems "")
foreach(entry IN LISTS entries)
    if(entry STREQUAL "")
        continue()
    endif()
    if(NOT entry MATCHES "^([-dlhbcps])([-rwxsStT]+) ([^ ]+) +[0-9]+ [0-9-]+ [0-9:]+ \\./(.*)$")
        string(APPEND problems "unreadable entry: ${entry}\n")
        continue()
    endif()
    set(type "${CMAKE_MATCH_1}")
    set(mode "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
    set(owner "${CMAKE_MATCH_3}")
    set(path "${CMAKE_MATCH_4}")
    if(NOT owner STREQUAL "root/root")
        string(APPEND problems "${path} is owned by ${owner}\n")
    endif()
    if(type STREQUAL "d")
        continue()
    endif()
    list(APPEND found "${path} ${mode}")
endforeach()
foreach(item IN LISTS found)
    if(NOT item IN_LIST expected)
        string(APPEND problems "unexpected file or mode: ${item}\n")
    endif()
endforeach()
foreach(item IN LISTS expected)
    if(NOT item IN_LIST found)
        string(APPEND problems "missing file or wrong mode: ${item}\n")
    endif()
endforeach()
if(NOT problems STREQUAL "")
    message(FATAL_ERROR "package contents:\n${problems}listing:\n${output}")
endif()

set(root ${WORK}/root)
run_checked("dpkg-deb --extract" ${DPKG_DEB} --extract ${debs} ${root})

# The desktop entry: valid without even a hint, starting a packaged program with its icon.
set(desktop ${root}/usr/share/applications/${APP_ID}.desktop)
run_checked("desktop-file-validate" ${DESKTOP_FILE_VALIDATE} ${desktop})
if(NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate:\n${output}")
endif()
file(STRINGS ${desktop} execLines REGEX "^Exec=")
file(STRINGS ${desktop} iconLines REGEX "^Icon=")
string(REGEX MATCH "^Exec=([^ ]+)" exec "${execLines}")
if(exec STREQUAL "" OR NOT EXISTS ${root}/usr/bin/${CMAKE_MATCH_1})
    message(FATAL_ERROR "'${execLines}' starts no program of the package")
endif()
if(NOT iconLines STREQUAL "Icon=wendrix")
    message(FATAL_ERROR "'${iconLines}' names no icon of the package")
endif()

set(icon ${root}/usr/share/icons/hicolor/scalable/apps/wendrix.svg)
run_checked("reading the icon as XML" ${PYTHON} -c
    "import sys, xml.etree.ElementTree as t\nprint(t.parse(sys.argv[1]).getroot().tag)" ${icon})
if(NOT output STREQUAL "{http://www.w3.org/2000/svg}svg\n")
    message(FATAL_ERROR "the icon's root element is ${output}")
endif()

# Unpacked outside the build tree, the programs find every library (ours are linked statically).
foreach(program wendrix wendrix-cli)
    run_checked("ldd ${program}" ${LDD} ${root}/usr/bin/${program})
    if(output MATCHES "not found")
        message(FATAL_ERROR "${program} misses libraries:\n${output}")
    endif()
endforeach()
run_checked("the packaged wendrix-cli" ${root}/usr/bin/wendrix-cli catalogue)
if(NOT output MATCHES "^entities: [0-9]+\n")
    message(FATAL_ERROR "the packaged wendrix-cli printed:\n${output}")
endif()

# Both programs report the version that the package carries, before and without any window: a
# display that cannot be opened would end the desktop program as soon as its toolkit started.
string(REGEX REPLACE "-[^-]*$" "" packageUpstreamVersion "${control_Version}")
foreach(program wendrix wendrix-cli)
    run_checked("${program} --version" ${CMAKE_COMMAND} -E env --unset=DISPLAY
        --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ${root}/usr/bin/${program} --version)
    string(REGEX MATCH "^[^\n]*" firstLine "${output}")
    if(NOT firstLine STREQUAL "${program} ${packageUpstreamVersion}")
        message(FATAL_ERROR "${program} --version printed '${firstLine}', the package is "
                            "${control_Version}")
    endif()
endforeach()

# The manual pages as man shows them, without a complaint from the formatter.
foreach(program wendrix wendrix-cli)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 LC_ALL=C.UTF-8
        ${MAN} --warnings -l ${root}/usr/share/man/man1/${program}.1.gz
        RESULT_VARIABLE status OUTPUT_VARIABLE page ERROR_VARIABLE complaints)
    if(NOT status EQUAL 0 OR NOT complaints STREQUAL "")
        message(FATAL_ERROR "man -l ${program}.1.gz (${status}):\n${complaints}")
    endif()
    if(NOT page MATCHES "\nNAME\n +${program} - " OR NOT page MATCHES "\n${program} ${packageUpstreamVersion} ")
        message(FATAL_ERROR "man -l ${program}.1.gz shows no page of ${program} "
                            "${packageUpstreamVersion}:\n${page}")
    endif()
endforeach()

# What a distribution checks first: no error and no warning from lintian. Its overrides are in
# the package (usr/share/lintian/overrides/wendrix), each with its reason.
execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${debs}
    RESULT_VARIABLE status OUTPUT_VARIABLE findings ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR findings MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian (${status}):\n${findings}\n${errors}")
endif()
