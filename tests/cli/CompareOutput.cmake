cmake_minimum_required(VERSION 3.25)
# Runs PROGRAM with ARGS and INPUT on standard input; the standard output must equal EXPECTED.
execute_process(COMMAND ${PROGRAM} ${ARGS}
    INPUT_FILE ${INPUT}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit status ${status}: ${errors}")
endif()
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/actual-output.txt "${output}")
    message(FATAL_ERROR "output differs from ${EXPECTED}; got:\n${output}")
endif()
