# SPDX-License-Identifier: GPL-3.0-or-later
# read_crlf_lines(FILE OUT_LINES): the lines of an ASCII file whose every line ends with CR LF,
# as a list of hex strings without their CR LF; fails when a line ends otherwise. The file is
# read as hex because text reading drops carriage returns.
function(read_crlf_lines file outLines)
    file(READ ${file} hex HEX)
    string(LENGTH "${hex}" size)
    if(size LESS 4)
        message(FATAL_ERROR "${file} is empty")
    endif()
    math(EXPR lastPair "${size} - 4")
    string(SUBSTRING "${hex}" ${lastPair} 4 ending)
    if(NOT ending STREQUAL "0d0a")
        message(FATAL_ERROR "${file} does not end with CR LF")
    endif()
    string(SUBSTRING "${hex}" 0 ${lastPair} body)
    # In ASCII text every "0d0a" and "0a" stands on a byte boundary.
    string(REPLACE "0d0a" ";" lines "${body}")
    foreach(line IN LISTS lines)
        if(line MATCHES "0a|0d")
            message(FATAL_ERROR "${file} has a line that does not end with CR LF")
        endif()
    endforeach()
    set(${outLines} "${lines}" PARENT_SCOPE)
endfunction()

# hex_length(HEX OUT): the number of bytes of a hex string.
function(hex_length hex out)
    string(LENGTH "${hex}" length)
    math(EXPR length "${length} / 2")
    set(${out} ${length} PARENT_SCOPE)
endfunction()

# hex_text(TEXT OUT): the hex form of an ASCII text.
function(hex_text text out)
    string(HEX "${text}" hex)
    set(${out} ${hex} PARENT_SCOPE)
endfunction()
