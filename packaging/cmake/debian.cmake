# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack` builds simumoteurs_<version>-1~deb<release>_<arch>.deb for the Debian release it runs
# on. Its dependencies are what the program loads at run time and nothing else: dpkg-shlibdeps
# finds the Qt libraries the binary links, and the release's run-time list adds what no linker
# sees.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/compress.cmake)

# Whoever builds the package maintains it: -DSIMUMOTEURS_MAINTAINER="Name <address>". The
# placeholder says that nobody was named, and its address (in the reserved domain "invalid") is
# one that lintian rejects, so a package built without a name cannot pass for a finished one.
set(SIMUMOTEURS_MAINTAINER "" CACHE STRING "Maintainer of the Debian package: \"Name <address>\"")
set(SIMUMOTEURS_MAINTAINER_PLACEHOLDER
    "SIMUMOTEURS_MAINTAINER non renseigné <mainteneur-non-renseigne@invalid>")
if(SIMUMOTEURS_MAINTAINER STREQUAL "")
    set(SIMUMOTEURS_PACKAGE_MAINTAINER "${SIMUMOTEURS_MAINTAINER_PLACEHOLDER}")
elseif(SIMUMOTEURS_MAINTAINER MATCHES "^[^<>@]*[^<>@ ] <[^<>@ ]+@[^<>@ ]+>$")
    set(SIMUMOTEURS_PACKAGE_MAINTAINER "${SIMUMOTEURS_MAINTAINER}")
else()
    message(FATAL_ERROR "SIMUMOTEURS_MAINTAINER is \"${SIMUMOTEURS_MAINTAINER}\": "
                        "give it as \"Name <address>\"")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME simumoteurs)
set(CPACK_PACKAGE_VENDOR simumoteurs)
set(CPACK_PACKAGE_CONTACT "${SIMUMOTEURS_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulateur de commande électronique de petits moteurs")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Un simulateur pédagogique de la commande électronique de petits moteurs,\n"
    "en français. Sur quatre onglets (moteur à courant continu commandé en MLI,\n"
    "pont en H, moteur pas à pas unipolaire et bipolaire), on règle un\n"
    "pourcentage de la vitesse maximale et l'on voit se tracer les signaux de\n"
    "commande du montage pendant qu'un moteur en 3D tourne avec eux.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE "1~deb${SIMUMOTEURS_DEBIAN_RELEASE}")
set(SIMUMOTEURS_DEBIAN_VERSION "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
if(NOT SIMUMOTEURS_HOMEPAGE STREQUAL "")
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SIMUMOTEURS_HOMEPAGE}")
endif()
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
list(JOIN SIMUMOTEURS_RUNTIME_PACKAGES ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# CPack quietly leaves the libraries out when dpkg-shlibdeps is missing; refuse instead.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-project-config.cmake)

set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/")

# What only the Debian package carries: its own changelog, signed by its maintainer, and the
# lintian verdicts that do not apply to a package built outside Debian. A plain `cmake --install`
# leaves them out (they are a component of their own), the package takes them in.
set(_sm_debian ${CMAKE_CURRENT_BINARY_DIR}/packaging/debian)
configure_file(${CMAKE_CURRENT_LIST_DIR}/../debian/changelog.in ${_sm_debian}/changelog.Debian
               @ONLY)
sm_gzip(${_sm_debian}/changelog.Debian ${_sm_debian}/changelog.Debian.gz)
install(FILES ${_sm_debian}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME simumoteurs
        COMPONENT debian EXCLUDE_FROM_ALL)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/" "${CMAKE_BINARY_DIR};${PROJECT_NAME};debian;/")

include(CPack)

unset(_sm_debian)
