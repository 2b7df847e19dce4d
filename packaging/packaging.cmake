# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the program like a desktop application (menu entry, icons, AppStream metadata) and
# describes its Debian package.
include(${CMAKE_CURRENT_LIST_DIR}/cmake/identity.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/cmake/install.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/cmake/debian.cmake)
