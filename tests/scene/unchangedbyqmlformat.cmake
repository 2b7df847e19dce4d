# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when qmlformat would change any of the QML files given: each must already be laid out
# as the formatter lays it out.
#   cmake -DQMLFORMAT=<qmlformat> -DFILES=<a.qml;b.qml> -P unchangedbyqmlformat.cmake
set(_changed "")
foreach(_file IN LISTS FILES)
    execute_process(COMMAND ${QMLFORMAT} ${_file}
                    OUTPUT_VARIABLE _formatted RESULT_VARIABLE _result)
    file(READ ${_file} _text)
    if(NOT _result EQUAL 0 OR NOT _formatted STREQUAL _text)
        list(APPEND _changed ${_file})
    endif()
endforeach()
if(_changed)
    list(JOIN _changed "\n  " _text)
    message(FATAL_ERROR "qmlformat would change:\n  ${_text}")
endif()
