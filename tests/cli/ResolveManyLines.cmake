# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# Feeds PROGRAM "resolve --tsv -" with far more lines than it reads in one piece, so that lines
# run over the ends of the pieces at every offset, and checks that each answer is whole. A line
# too long to be a call and a date is refused with a message, and the answers around it stay.
set(input ${WORK}/many-calls.txt)
file(MAKE_DIRECTORY ${WORK})
# 20,000 lines of 16 or 20 bytes, LF and CR LF mixed, with blanks around the call.
string(REPEAT "dl1abc 20200101\n  K1ABC/4 20200101 \r\n" 10000 text)
file(WRITE ${input} "${text}")
execute_process(COMMAND ${PROGRAM} resolve --tsv -
    INPUT_FILE ${input}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit status ${status}: ${errors}")
endif()
string(REPLACE "\r" "" output "${output}")
string(REPEAT "DL1ABC\t20200101\t0\tDL\t1\t230\tFed. Rep. of Germany\nK1ABC/4\t20200101\t2\tW\t1\t291\tUnited States of America\n" 10000 expected)
if(NOT output STREQUAL expected)
    string(LENGTH "${output}" length)
    message(FATAL_ERROR "the answers differ from the 20,000 expected lines (${length} bytes)")
endif()

string(REPEAT "x" 5000 long)
file(WRITE ${input} "DL1ABC 20200101\n${long}\nDL1ABC 20200101\n")
execute_process(COMMAND ${PROGRAM} resolve --tsv -
    INPUT_FILE ${input}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
string(REPLACE "\r" "" output "${output}")
string(REPEAT "DL1ABC\t20200101\t0\tDL\t1\t230\tFed. Rep. of Germany\n" 2 expected)
if(status EQUAL 0 OR NOT errors MATCHES "line 2 is longer than 4096 bytes"
   OR NOT output STREQUAL expected)
    message(FATAL_ERROR "a long line: exit status ${status}, \"${errors}\", output \"${output}\"")
endif()
