# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build of the desktop program as a portable folder: wendrix.exe and wendrix-cli.exe
# with Qt's DLLs, the plug-ins Qt loads at run time and, for a MinGW build linked against its
# runtime DLLs, those DLLs too, all in one folder (what windeployqt would put there). The same
# files are copied beside every program of the build tree, so the programs and Qt tests run there
# as well (under Wine on the build machine). Included from Packaging.cmake before GNUInstallDirs,
# once every program is defined.
if(NOT WIN32)
    return()
endif()

# Programs, DLLs and plug-ins at the top of the folder, where Windows and Qt look for them. A
# plain variable, so that it also wins over the cache entry GNUInstallDirs leaves from the first
# configure run.
set(CMAKE_INSTALL_BINDIR .)

if(NOT TARGET Qt6::Core)
    return()
endif()
if(WENDRIX_BUILD_TESTS)
    # Found by the Qt tests' own folder, where the target stays.
    find_package(Qt6 QUIET COMPONENTS Test)
endif()

# Qt's libraries and plug-ins (folder below the program, file).
set(qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
set(qt_plugins)
foreach(plugin platforms=QWindowsIntegrationPlugin styles=QWindowsVistaStylePlugin)
    string(REPLACE "=" ";" plugin ${plugin})
    list(GET plugin 0 folder)
    list(GET plugin 1 name)
    if(TARGET Qt6::${name})
        list(APPEND qt_plugins ${folder}=Qt6::${name})
    endif()
endforeach()

# MinGW's runtime DLLs, found where the compiler itself would take them from.
set(runtime_dlls)
if(MINGW AND WENDRIX_MINGW_SHARED_RUNTIME)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            message(FATAL_ERROR "MinGW's ${dll} not found beside ${CMAKE_CXX_COMPILER}")
        endif()
        list(APPEND runtime_dlls ${path})
    endforeach()
endif()

# The portable folder.
foreach(library ${qt_libraries})
    install(FILES $<TARGET_FILE:${library}> DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
foreach(plugin ${qt_plugins})
    string(REPLACE "=" ";" plugin ${plugin})
    list(GET plugin 0 folder)
    list(GET plugin 1 target)
    install(FILES $<TARGET_FILE:${target}> DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
endforeach()
if(runtime_dlls)
    install(FILES ${runtime_dlls} DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_BINDIR})

# The build tree: the same files beside every program, plus what the Qt tests need (QtTest and
# the offscreen platform). Every program depends on this step, so a program that the build
# itself runs (the country list embedder) finds MinGW's runtime too.
set(build_files ${runtime_dlls})
foreach(library ${qt_libraries} Qt6::Test)
    if(TARGET ${library})
        list(APPEND build_files $<TARGET_FILE:${library}>)
    endif()
endforeach()
if(TARGET Qt6::QOffscreenIntegrationPlugin)
    list(APPEND qt_plugins platforms=Qt6::QOffscreenIntegrationPlugin)
endif()

# The offscreen platform of the Qt tests has no system font database on Windows: it reads the
# fonts in the "fonts" folder of Qt's library folder, and without any every text measures as
# nothing. A qt.conf beside each program makes its own folder that library folder, and Debian's
# Liberation fonts (the metric twins of Arial and Courier New) go into its fonts/. Only the build
# tree gets them: the portable folder uses the windows platform and the system's fonts.
set(offscreen_fonts)
set(liberation /usr/share/fonts/truetype/liberation2)
foreach(family Sans Mono Serif)
    foreach(style Regular Bold Italic BoldItalic)
        if(EXISTS ${liberation}/Liberation${family}-${style}.ttf)
            list(APPEND offscreen_fonts ${liberation}/Liberation${family}-${style}.ttf)
        endif()
    endforeach()
endforeach()
if(NOT offscreen_fonts)
    message(WARNING "No Liberation fonts in ${liberation} (fonts-liberation2): the Qt tests that "
                    "measure or paint text will fail under Wine")
endif()
set(offscreen_qt_conf ${CMAKE_BINARY_DIR}/offscreen-qt.conf)
file(WRITE ${offscreen_qt_conf} "[Paths]\nPrefix=.\nLibraries=.\n")

function(wendrix_collect_programs directory out)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    set(programs)
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            list(APPEND programs ${target})
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory ${subdirectories})
        wendrix_collect_programs(${subdirectory} more)
        list(APPEND programs ${more})
    endforeach()
    set(${out} ${programs} PARENT_SCOPE)
endfunction()
# Made once every folder of the project is read, so that the tests (read after this file) get
# their DLLs too.
function(wendrix_windows_build_runtime)
    wendrix_collect_programs(${PROJECT_SOURCE_DIR} programs)

    set(commands)
    set(folders)
    foreach(program ${programs})
        get_target_property(folder ${program} RUNTIME_OUTPUT_DIRECTORY)
        if(NOT folder)
            get_target_property(folder ${program} BINARY_DIR)
        endif()
        list(APPEND folders ${folder})
    endforeach()
    list(REMOVE_DUPLICATES folders)
    foreach(folder ${folders})
        list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${build_files} ${folder}
             COMMAND ${CMAKE_COMMAND} -E copy_if_different ${offscreen_qt_conf} ${folder}/qt.conf)
        if(offscreen_fonts)
            list(APPEND commands
                 COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/fonts
                 COMMAND ${CMAKE_COMMAND} -E copy_if_different ${offscreen_fonts} ${folder}/fonts)
        endif()
        foreach(plugin ${qt_plugins})
            string(REPLACE "=" ";" plugin ${plugin})
            list(GET plugin 0 subfolder)
            list(GET plugin 1 target)
            list(APPEND commands
                 COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/${subfolder}
                 COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}>
                         ${folder}/${subfolder})
        endforeach()
    endforeach()
    add_custom_target(wendrix_windows_runtime ${commands}
                      COMMENT "Copying Qt's and MinGW's DLLs beside the programs" VERBATIM)
    foreach(program ${programs})
        add_dependencies(${program} wendrix_windows_runtime)
    endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL wendrix_windows_build_runtime)
