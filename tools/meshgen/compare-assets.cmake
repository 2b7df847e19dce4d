# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DMESHGEN=<meshgen> -DASSETS=<assets folder> -DOUTPUT=<scratch folder> -P compare-assets.cmake
# Regenerates every model and the stator texture into OUTPUT and fails unless each file is
# byte for byte the one shipped in ASSETS.
foreach(var MESHGEN ASSETS OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${OUTPUT}")
execute_process(COMMAND "${MESHGEN}" "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "meshgen failed: ${status}")
endif()

file(GLOB_RECURSE generated RELATIVE "${OUTPUT}" "${OUTPUT}/*")
list(LENGTH generated count)
if(count LESS 11)
    message(FATAL_ERROR "meshgen wrote only ${count} files")
endif()
set(differing "")
foreach(file IN LISTS generated)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUTPUT}/${file}" "${ASSETS}/${file}"
                    RESULT_VARIABLE differs OUTPUT_QUIET ERROR_QUIET)
    if(NOT differs EQUAL 0)
        list(APPEND differing "${file}")
    endif()
endforeach()
if(differing)
    message(FATAL_ERROR "shipped assets differ from the generator's output: ${differing}\n"
                        "Rebuild them with the update_assets target and commit the result.")
endif()
message(STATUS "all ${count} generated files match the shipped ones")
