# SPDX-License-Identifier: GPL-3.0-or-later
# Fails on every include under ROOT that breaks the rooms' rules: sim/, toolkit/ and scene/ reach
# no room above them, app/layout/ nothing else of app/, a generated form only app/; Qt Charts
# only in toolkit/, Qt Quick 3D only in scene/ (C++ and QML).   cmake -DROOT=<dir> -P <this>
set(_charts "<(QtCharts/[^>]*|QChart|QChartView|Q[A-Za-z]*Series|Q[A-Za-z]*Axis|QLegend[A-Za-z]*)>")
set(_quick3d "(<(QtQuick3D/[^>]*|QQuick3D[A-Za-z]*)>|^import[ \t]+QtQuick3D)")
set(_forbidden_sim "app|scene|toolkit")
set(_forbidden_toolkit "app|scene|sim")
set(_forbidden_scene "app|sim")
set(_broken "")
file(GLOB_RECURSE _sources RELATIVE ${ROOT} ${ROOT}/app/*.cpp ${ROOT}/app/*.h ${ROOT}/app/*.qml
     ${ROOT}/scene/*.cpp ${ROOT}/scene/*.h ${ROOT}/scene/*.qml ${ROOT}/sim/*.cpp ${ROOT}/sim/*.h
     ${ROOT}/toolkit/*.cpp ${ROOT}/toolkit/*.h ${ROOT}/toolkit/*.qml)
foreach(_source IN LISTS _sources)
    file(STRINGS ${ROOT}/${_source} _lines REGEX "^[ \t]*(#[ \t]*include|import)[ \t]")
    string(REGEX MATCH "^[a-z]+" _room ${_source})
    if(_source MATCHES "^app/layout/")
        set(_room layout)
    endif()
    foreach(_line IN LISTS _lines)
        string(STRIP "${_line}" _line)
        if((_room MATCHES "^(sim|toolkit|scene)$"
            AND (_line MATCHES "^#[ \t]*include[ \t]*\"(${_forbidden_${_room}})/"
                 OR _line MATCHES "^#[ \t]*include[ \t]*\"ui_"))
           OR (_room STREQUAL "layout" AND _line MATCHES "\"app/" AND NOT _line MATCHES "\"app/layout/")
           OR (_line MATCHES "${_charts}" AND NOT _room STREQUAL "toolkit")
           OR (_line MATCHES "${_quick3d}" AND NOT _room STREQUAL "scene"))
            list(APPEND _broken "${_source}: ${_line}")
        endif()
    endforeach()
endforeach()
if(_broken)
    list(JOIN _broken "\n  " _text)
    message(FATAL_ERROR "Includes that break the rooms' rules:\n  ${_text}")
endif()
