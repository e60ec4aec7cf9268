# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# Runs PROGRAM with ARGS and INPUT on standard input; the standard output must equal EXPECTED,
# whose lines end with LF; with NEWLINES=CRLF the output's must end with CR LF instead.
# Byte for byte through files: execute_process and file(READ) would both drop the CRs.
get_filename_component(name ${EXPECTED} NAME)
set(actual ${CMAKE_CURRENT_BINARY_DIR}/output-${name})
execute_process(COMMAND ${PROGRAM} ${ARGS}
    INPUT_FILE ${INPUT}
    OUTPUT_FILE ${actual}
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit status ${status}: ${errors}")
endif()
if(NEWLINES STREQUAL "CRLF")
    file(READ ${EXPECTED} expected)
    string(REPLACE "\n" "\r\n" expected "${expected}")
    set(EXPECTED ${CMAKE_CURRENT_BINARY_DIR}/expected-crlf-${name})
    file(WRITE ${EXPECTED} "${expected}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${actual} ${EXPECTED}
    RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${actual} differs from ${EXPECTED}")
endif()
