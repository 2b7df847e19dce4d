# SPDX-License-Identifier: GPL-3.0-or-later
# The id under which desktops know the program. The desktop entry, the icons and the AppStream
# metadata in packaging/ are files named after it: renaming it means renaming them.
set(SIMUMOTEURS_APP_ID io.github.simumoteurs.Simumoteurs)
