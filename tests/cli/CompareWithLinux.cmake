# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# The Windows program (WINDOWS_CLI, run through Wine) and the Linux program (LINUX_CLI) must write
# the same bytes: the survey list of the demonstration log, and the result file of a directory of
# generated lists. The Windows program works in folders whose names are outside any Western
# code page, so its arguments and file names must travel as Unicode.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
                    ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${status}):\n${output}\n${errors}")
    endif()
endfunction()

function(expect_same_bytes linuxFile windowsFile)
    foreach(file ${linuxFile} ${windowsFile})
        if(NOT EXISTS ${file})
            message(FATAL_ERROR "${file} was not written")
        endif()
    endforeach()
    file(SHA256 ${linuxFile} linuxHash)
    file(SHA256 ${windowsFile} windowsHash)
    if(NOT linuxHash STREQUAL windowsHash)
        message(FATAL_ERROR "${windowsFile} differs from ${linuxFile}")
    endif()
    file(SIZE ${linuxFile} size)
    message(STATUS "same ${size} bytes: ${windowsFile}")
endfunction()

file(REMOVE_RECURSE ${WORK})
set(linux ${WORK}/linux)
set(windows "${WORK}/Прüfung")
file(MAKE_DIRECTORY ${linux}/import ${windows}/import)

# The member: import the demonstration log, eQSL counted, questions answered by the flags.
foreach(side linux windows)
    if(side STREQUAL "linux")
        set(program ${LINUX_CLI})
        set(folder ${linux})
    else()
        set(program ${WINDOWS_CLI})
        set(folder ${windows})
    endif()
    run(${program} import --call da0wdx --dir ${folder}/import --eqsl --resolved accept ${LOG})
endforeach()
expect_same_bytes(${linux}/import/DA0WDX.CFD ${windows}/import/DA0WDX.CFD)

# The evaluator: 40 generated lists plus the member's, default thresholds.
run(${MAKE_LISTS} ${linux}/lists 40 11)
file(COPY ${linux}/import/DA0WDX.CFD DESTINATION ${linux}/lists)
file(COPY ${linux}/lists/ DESTINATION ${windows}/lists)
run(${LINUX_CLI} evaluate ${linux}/lists)
run(${WINDOWS_CLI} evaluate ${windows}/lists)
expect_same_bytes(${linux}/lists/Wendrix.TXT ${windows}/lists/Wendrix.TXT)
