# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` lays out a freedesktop tree: the program, its menu entry, its icon in every
# size, the AppStream metadata that software centres show, its manual page and its licence terms.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/compress.cmake)

set(_sm_packaging ${CMAKE_CURRENT_LIST_DIR}/..)

# The program links nothing but system libraries: it needs no RPATH once installed.
set_target_properties(simumoteurs PROPERTIES INSTALL_RPATH "")
install(TARGETS simumoteurs RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (`--strip`, and cpack) drops the symbols; the compiler's notes go as well, as
# in Debian's own packages.
install(CODE "
if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:simumoteurs>\"
        COMMAND_ERROR_IS_FATAL ANY)
endif()")
install(FILES ${_sm_packaging}/${SIMUMOTEURS_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The program's home page is the packager's to give, like the maintainer: none is invented.
# Without one, AppStream's validator warns `url-homepage-missing`, and that alone.
set(SIMUMOTEURS_HOMEPAGE "" CACHE STRING "Home page of the program in the AppStream metadata (https://...)")
set(SIMUMOTEURS_METAINFO_HOMEPAGE "")
if(SIMUMOTEURS_HOMEPAGE MATCHES "^https?://[^ <>\"&]+$")
    set(SIMUMOTEURS_METAINFO_HOMEPAGE "  <url type=\"homepage\">${SIMUMOTEURS_HOMEPAGE}</url>\n")
elseif(NOT SIMUMOTEURS_HOMEPAGE STREQUAL "")
    message(FATAL_ERROR "SIMUMOTEURS_HOMEPAGE is \"${SIMUMOTEURS_HOMEPAGE}\": give an http(s) address")
endif()
configure_file(${_sm_packaging}/${SIMUMOTEURS_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/${SIMUMOTEURS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${SIMUMOTEURS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icon the window carries, and its PNG sizes, committed here (render-icons.sh) so that no
# renderer is needed.
install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/simumoteurs.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${SIMUMOTEURS_APP_ID}.svg)
install(DIRECTORY ${_sm_packaging}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The manual page speaks French, like the program.
set(_sm_man ${CMAKE_CURRENT_BINARY_DIR}/packaging/man)
configure_file(${_sm_packaging}/man/simumoteurs.1.in ${_sm_man}/simumoteurs.1 @ONLY)
sm_gzip(${_sm_man}/simumoteurs.1 ${_sm_man}/simumoteurs.1.gz)
install(FILES ${_sm_man}/simumoteurs.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The licence terms in the machine-readable form Debian reads; they hold for any install.
install(FILES ${_sm_packaging}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

unset(_sm_packaging)
unset(_sm_man)
