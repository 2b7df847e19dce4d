# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack at packaging time, once per generator.
if(CPACK_GENERATOR STREQUAL "DEB")
    if(CPACK_DEBIAN_PACKAGE_RELEASE STREQUAL "1~deb")
        message(FATAL_ERROR "The Debian package is built on the release it is for, Debian 12 or "
                            "13 (tools/debian-packages.txt): this system is neither")
    endif()
    find_program(SIMUMOTEURS_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT SIMUMOTEURS_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is needed to list the Qt libraries the package "
                            "depends on: apt-get install dpkg-dev")
    endif()
endif()
if(CPACK_PACKAGE_CONTACT MATCHES "@invalid>$")
    message(WARNING "The package names no maintainer: configure with "
                    "-DSIMUMOTEURS_MAINTAINER=\"Name <address>\" before handing it out.")
endif()
