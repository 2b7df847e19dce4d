# SPDX-License-Identifier: GPL-3.0-or-later
# Debian wants manual pages and changelogs gzipped at the highest level, and without the name and
# time stamp that gzip would otherwise store, so that two builds give the same bytes.
find_program(SIMUMOTEURS_GZIP gzip REQUIRED)

# Writes `output` as `input` compressed; runs at configure time, which is when `input` is made.
function(sm_gzip input output)
    execute_process(COMMAND ${SIMUMOTEURS_GZIP} -9 -n -c ${input} OUTPUT_FILE ${output}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "gzip ${input} failed: ${result}")
    endif()
endfunction()
