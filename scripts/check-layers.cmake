# Fails, naming file and line, on an #include that crosses the layers the wrong way, and on
# a header of Qt's graphical modules outside view/ and app/. The linker alone lets both
# through: a header-only type or an inline function links nothing, and a widget header
# compiles wherever Qt's include folder is on the path.
#
#   cmake -DQT_HEADERS=<Qt's include folder> -P scripts/check-layers.cmake
#
# The test "layers" runs it with the Qt the build found. The sources of every layer are
# read, and the tests of each layer (tests/<layer>/) by the same rules; the helpers at the
# top of tests/ serve the tests of all layers and are left out.

# Each layer, and the layers it may include besides itself. A new layer is one line here.
set(rockpile_layers
    "core:"
    "report: core"
    "optimization: core"
    "project: core report"
    "exchange: core report optimization project"
    "ui: core report optimization project exchange"
    "cli: core report optimization project exchange ui"
    "view: core report optimization project exchange ui"
    "app: core report optimization project exchange ui view")
# The only layers that may paint: everything below them is the headless program, which
# the command line and the tests run without a window system.
set(rockpile_graphical_layers view app)
set(rockpile_graphical_modules QtGui QtWidgets QtPrintSupport QtOpenGL QtOpenGLWidgets QtSvg
    QtSvgWidgets)

cmake_minimum_required(VERSION 3.25)

get_filename_component(root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(layer_names)
foreach(entry IN LISTS rockpile_layers)
    if(NOT entry MATCHES "^([a-z_]+):(.*)$")
        message(FATAL_ERROR "Not 'layer: lower layers...': '${entry}'")
    endif()
    set(layer ${CMAKE_MATCH_1})
    string(STRIP "${CMAKE_MATCH_2}" below)
    separate_arguments(below UNIX_COMMAND "${below}")
    list(APPEND layer_names ${layer})
    set(allowed_${layer} ${layer} ${below})
endforeach()

# Every header of the graphical modules by the names one includes it with: <QWidget>,
# <qwidget.h>, <qpa/qplatformwindow.h>, and <QtWidgets/…> for any of them.
if(NOT QT_HEADERS OR NOT IS_DIRECTORY "${QT_HEADERS}/QtGui" OR NOT IS_DIRECTORY
    "${QT_HEADERS}/QtWidgets")
    message(FATAL_ERROR "Give Qt's include folder, the one that holds QtGui/ and QtWidgets/: "
        "cmake -DQT_HEADERS=<folder> -P ${CMAKE_CURRENT_LIST_FILE} (now: '${QT_HEADERS}')")
endif()
set(graphical_headers)
foreach(module IN LISTS rockpile_graphical_modules)
    if(IS_DIRECTORY "${QT_HEADERS}/${module}")
        file(GLOB_RECURSE names RELATIVE "${QT_HEADERS}/${module}" "${QT_HEADERS}/${module}/*")
        # Private headers sit under a version folder and are never included bare.
        list(FILTER names EXCLUDE REGEX "^[0-9]")
        list(APPEND graphical_headers ${names})
    endif()
endforeach()

set(problems)
set(include_count 0)
set(file_count 0)
foreach(layer IN LISTS layer_names)
    foreach(folder "${layer}" "tests/${layer}")
        if(NOT IS_DIRECTORY "${root}/${folder}")
            continue()
        endif()
        file(GLOB_RECURSE sources RELATIVE "${root}" "${root}/${folder}/*.cpp" "${root}/${folder}/*.h")
        list(SORT sources)
        foreach(source IN LISTS sources)
            math(EXPR file_count "${file_count} + 1")
            file(READ "${root}/${source}" text)
            # One list element a line; the characters that would split or join list
            # elements cannot be part of an include path anyway.
            string(REPLACE "\r" "" text "${text}")
            string(REPLACE "\\" "/" text "${text}")
            string(REPLACE ";" "," text "${text}")
            string(REPLACE "[" "(" text "${text}")
            string(REPLACE "]" ")" text "${text}")
            string(REPLACE "\n" ";" lines "${text}")
            set(number 0)
            foreach(line IN LISTS lines)
                math(EXPR number "${number} + 1")
                if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
                    continue()
                endif()
                math(EXPR include_count "${include_count} + 1")
                set(open "${CMAKE_MATCH_1}")
                set(name "${CMAKE_MATCH_2}")
                if(open STREQUAL "<")
                    set(shown "<${name}>")
                else()
                    set(shown "\"${name}\"")
                endif()
                set(where "${source}:${number}: ${shown}")

                set(target "")
                if(name MATCHES "(^|/)\\.\\.(/|$)")
                    list(APPEND problems
                        "${where}: include by the path from the repository root, not with ..")
                    continue()
                elseif(name MATCHES "^([a-z_]+)/")
                    set(first ${CMAKE_MATCH_1})
                    if(first IN_LIST layer_names)
                        set(target ${first})
                    elseif(first STREQUAL "tests")
                        if(NOT source MATCHES "^tests/")
                            list(APPEND problems "${where}: the program includes a test's file")
                            continue()
                        endif()
                        if(name MATCHES "^tests/([a-z_]+)/")
                            set(target ${CMAKE_MATCH_1})
                        endif()
                    elseif(first STREQUAL "bench" AND NOT source MATCHES "^tests/")
                        # The tests compare the run with the benchmarks' plain loop.
                        list(APPEND problems "${where}: the program includes a benchmark's file")
                        continue()
                    endif()
                endif()
                if(target AND NOT target IN_LIST allowed_${layer})
                    string(REPLACE ";" ", " may "${allowed_${layer}}")
                    list(APPEND problems
                        "${where}: ${layer}/ may include ${may}, not ${target}/")
                    continue()
                endif()

                if(NOT layer IN_LIST rockpile_graphical_layers)
                    set(graphical OFF)
                    if(name MATCHES "^(Qt[A-Za-z]+)(/|$)" AND CMAKE_MATCH_1 IN_LIST
                        rockpile_graphical_modules)
                        set(graphical ON)
                    elseif(open STREQUAL "<" AND name IN_LIST graphical_headers)
                        set(graphical ON)
                    endif()
                    if(graphical)
                        string(REPLACE ";" "/ and " painting "${rockpile_graphical_layers}")
                        list(APPEND problems
                            "${where}: Qt's graphical modules are for ${painting}/ alone")
                    endif()
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()

if(problems)
    list(LENGTH problems count)
    string(REPLACE ";" "\n" listed "${problems}")
    message(NOTICE "${listed}")
    message(FATAL_ERROR "${count} includes cross the layers (the table is in "
        "scripts/check-layers.cmake)")
endif()
message(STATUS "${include_count} includes in ${file_count} files keep to the layers")
