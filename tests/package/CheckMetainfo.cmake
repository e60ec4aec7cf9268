# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# The AppStream metadata of the desktop program: valid for appstreamcli without a warning (and
# without the network, which would fetch the screenshots), and every screenshot one of the
# pictures that the README shows from docs/, so that a renamed or dropped picture is noticed.
#
# Inputs: METAINFO (the generated file), README.

find_program(APPSTREAMCLI appstreamcli)
if(NOT APPSTREAMCLI)
    message(FATAL_ERROR "appstreamcli is missing; tools/setup-debian.sh installs appstream")
endif()

execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --pedantic ${METAINFO}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate --no-net ${METAINFO} (${status}):\n${output}\n"
                        "${errors}")
endif()

file(READ ${METAINFO} metainfo)
file(READ ${README} readme)
string(REGEX MATCHALL "<image>[^<]*</image>" images "${metainfo}")
if(images STREQUAL "")
    message(FATAL_ERROR "${METAINFO} shows no screenshot")
endif()
foreach(image IN LISTS images)
    string(REGEX MATCH "/([^/<]+)</image>$" ignored "${image}")
    set(picture "docs/${CMAKE_MATCH_1}")
    string(FIND "${readme}" "](${picture})" position)
    get_filename_component(readmeFolder ${README} DIRECTORY)
    if(position EQUAL -1 OR NOT EXISTS ${readmeFolder}/${picture})
        message(FATAL_ERROR "the screenshot ${image} is no picture that the README shows")
    endif()
endforeach()
