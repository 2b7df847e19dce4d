# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian release the package is built for, and what that release calls the packages the
# program loads at run time (tools/debian-packages.txt, which tools/install-deps.sh reads too).
# A package built on one release is for that release: its version carries it (~deb12, ~deb13),
# as Debian marks packages rebuilt for a given release.
set(_sm_os_release "")
if(EXISTS /etc/os-release)
    file(STRINGS /etc/os-release _sm_os_release)
endif()
# os_release_field(VAR KEY): the value of KEY= in /etc/os-release, quotes removed.
function(_sm_os_release_field var key)
    set(value "")
    foreach(line IN LISTS _sm_os_release)
        if(line MATCHES "^${key}=\"?([^\"]*)\"?$")
            set(value "${CMAKE_MATCH_1}")
        endif()
    endforeach()
    set(${var} "${value}" PARENT_SCOPE)
endfunction()
_sm_os_release_field(_sm_id ID)
_sm_os_release_field(_sm_version VERSION_ID)
_sm_os_release_field(_sm_codename VERSION_CODENAME)

set(_sm_packages_list ${PROJECT_SOURCE_DIR}/tools/debian-packages.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_sm_packages_list})
file(STRINGS ${_sm_packages_list} _sm_package_lines REGEX "^[0-9]+ [a-z]+:")

set(SIMUMOTEURS_DEBIAN_RELEASE "")
set(SIMUMOTEURS_DEBIAN_CODENAME "")
set(SIMUMOTEURS_RUNTIME_PACKAGES "")
if(_sm_id STREQUAL "debian")
    foreach(line IN LISTS _sm_package_lines)
        if(line MATCHES "^${_sm_version} run:(.*)$")
            string(STRIP "${CMAKE_MATCH_1}" packages)
            string(REGEX REPLACE "[ \t]+" ";" packages "${packages}")
            list(APPEND SIMUMOTEURS_RUNTIME_PACKAGES ${packages})
            set(SIMUMOTEURS_DEBIAN_RELEASE ${_sm_version})
            set(SIMUMOTEURS_DEBIAN_CODENAME ${_sm_codename})
        endif()
    endforeach()
endif()
if(SIMUMOTEURS_DEBIAN_RELEASE STREQUAL "")
    # Building and testing work anywhere Qt does; only the package needs a known release, and
    # cpack refuses to make one without it (cpack-project-config.cmake).
    message(STATUS "Not a supported Debian release: no Debian package can be built here")
endif()

unset(_sm_os_release)
unset(_sm_id)
unset(_sm_version)
unset(_sm_codename)
unset(_sm_packages_list)
unset(_sm_package_lines)
