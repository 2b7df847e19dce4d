# SPDX-License-Identifier: GPL-3.0-or-later
# Checks which room may include what, in the product's sources under ROOT:
#   sim/          nothing of ours outside sim/
#   toolkit/      nothing of app/, scene/ or sim/, no generated form
#   scene/        nothing of app/ or sim/, no generated form
#   app/layout/   nothing of app/ outside app/layout/ (the window takes what the layout builds)
#   everywhere    Qt Charts only in toolkit/, Qt Quick 3D only in scene/ (C++ and QML)
# tests/, bench/ and tools/ are outside the rules. Prints every include that breaks one and
# fails if there is any.
#   cmake -DROOT=<folder> -P includerules.cmake
if(NOT ROOT)
    message(FATAL_ERROR "usage: cmake -DROOT=<source folder> -P includerules.cmake")
endif()

set(_charts "<(QtCharts/[^>]*|QChart|QChartView|Q[A-Za-z]*Series|Q[A-Za-z]*Axis|QLegend[A-Za-z]*)>")
set(_quick3d "<(QtQuick3D/[^>]*|QQuick3D[A-Za-z]*)>")

set(_broken "")
file(GLOB_RECURSE _sources RELATIVE ${ROOT}
     ${ROOT}/app/*.cpp ${ROOT}/app/*.h ${ROOT}/app/*.qml
     ${ROOT}/scene/*.cpp ${ROOT}/scene/*.h ${ROOT}/scene/*.qml
     ${ROOT}/sim/*.cpp ${ROOT}/sim/*.h
     ${ROOT}/toolkit/*.cpp ${ROOT}/toolkit/*.h ${ROOT}/toolkit/*.qml)
foreach(_source IN LISTS _sources)
    file(STRINGS ${ROOT}/${_source} _lines REGEX "^[ \t]*(#[ \t]*include|import)[ \t]")
    string(REGEX MATCH "^[a-z]+" _room ${_source})
    if(_source MATCHES "^app/layout/")
        set(_room layout)
    endif()
    foreach(_line IN LISTS _lines)
        string(STRIP "${_line}" _line)
        set(_wrong FALSE)
        if(_line MATCHES "^#[ \t]*include[ \t]*\"(app|scene|sim|toolkit)/")
            set(_target ${CMAKE_MATCH_1})
            if(_room STREQUAL "sim" AND NOT _target STREQUAL "sim")
                set(_wrong TRUE)
            elseif(_room STREQUAL "toolkit" AND NOT _target STREQUAL "toolkit")
                set(_wrong TRUE)
            elseif(_room STREQUAL "scene" AND _target MATCHES "^(app|sim)$")
                set(_wrong TRUE)
            elseif(_room STREQUAL "layout" AND _target STREQUAL "app"
                   AND NOT _line MATCHES "\"app/layout/")
                set(_wrong TRUE)
            endif()
        endif()
        if(_line MATCHES "^#[ \t]*include[ \t]*\"ui_" AND _room MATCHES "^(sim|toolkit|scene)$")
            set(_wrong TRUE)
        endif()
        if(_line MATCHES "${_charts}" AND NOT _room STREQUAL "toolkit")
            set(_wrong TRUE)
        endif()
        if((_line MATCHES "${_quick3d}" OR _line MATCHES "^import[ \t]+QtQuick3D")
           AND NOT _room STREQUAL "scene")
            set(_wrong TRUE)
        endif()
        if(_wrong)
            list(APPEND _broken "${_source}: ${_line}")
        endif()
    endforeach()
endforeach()

if(_broken)
    list(JOIN _broken "\n  " _text)
    message(FATAL_ERROR "Includes that break the rooms' rules:\n  ${_text}")
endif()
