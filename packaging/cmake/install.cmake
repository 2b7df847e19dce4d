# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` lays out a freedesktop tree: the program, its menu entry, its icon in every
# size and the AppStream metadata that software centres show.
include(GNUInstallDirs)

set(_sm_packaging ${CMAKE_CURRENT_LIST_DIR}/..)

# The program links nothing but system libraries: it needs no RPATH once installed.
set_target_properties(simumoteurs PROPERTIES INSTALL_RPATH "")
install(TARGETS simumoteurs RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_sm_packaging}/${SIMUMOTEURS_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_sm_packaging}/${SIMUMOTEURS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The PNG sizes are committed next to the SVG (render-icons.sh), so no renderer is needed here.
install(DIRECTORY ${_sm_packaging}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

unset(_sm_packaging)
