# The Debian packages, one per installation component (linux/install.cmake), made by CPack:
#   libtessel<SOVERSION>  the shared library, with an ldconfig trigger, shlibs and symbols
#   libtessel-dev         header, libtessel.so, CMake package, tessel.pc
#   tessel-tools          tessel-convert, tessel-string, the code tables
#   quillon, pictor       each desktop program with its tools
# Library dependencies are read from the binaries by dpkg-shlibdeps; the packages' dependencies
# on libtessel are declared, at this build's version.

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${TOOLKIT_PACKAGES})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE eudc-toolkit)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TOOLKIT_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The window programs show Chinese: a Traditional-Chinese font, and Qt's own dialogs translated.
set(TOOLKIT_WINDOW_RECOMMENDS "fonts-arphic-uming, qt6-translations-l10n")

# Component variables are named by the component in capitals.
foreach(package IN LISTS TOOLKIT_PACKAGES)
  string(TOUPPER ${package} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package})
  set(DEB_${package} ${upper})
endforeach()

set(runtime ${DEB_${TESSEL_RUNTIME_PACKAGE}})
set(CPACK_DEBIAN_${runtime}_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_${runtime}_PACKAGE_SUGGESTS tessel-tools)
set(CPACK_COMPONENT_${runtime}_DESCRIPTION
    "library converting text between CNS 11643 and Big5, UCS-2 or GBK
tessel converts strings and text files between CNS 11643, the national
standard code of Taiwan, in its seven-bit ISO 2022 form or its four-byte EUC
form, and Big5, UCS-2 or GBK, always through CNS, by five code tables. CNS
characters that a conversion cannot convert can be listed in an application
form for the administrator of user-defined characters.

This package holds the shared library. The code tables it reads are in
tessel-tools.")
# The shared library's shlibs (libtessel 1 libtessel1 (>= VERSION)) are made by CPack; its symbols
# and the trigger that runs ldconfig come from here. CPack also writes maintainer scripts calling
# ldconfig for a library in /usr/lib: finish-packages.cmake takes them out again.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
configure_file(${CMAKE_CURRENT_LIST_DIR}/libtessel.symbols.in ${CMAKE_CURRENT_BINARY_DIR}/deb-control/symbols @ONLY)
set(CPACK_DEBIAN_${runtime}_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_BINARY_DIR}/deb-control/symbols ${CMAKE_CURRENT_LIST_DIR}/triggers)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/finish-packages.cmake)

set(dev ${DEB_${TESSEL_DEV_PACKAGE}})
set(CPACK_DEBIAN_${dev}_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_${dev}_DEPENDS ${TESSEL_RUNTIME_PACKAGE})
set(CPACK_COMPONENT_${dev}_DESCRIPTION
    "development files for the tessel conversion library
tessel converts strings and text files between CNS 11643 and Big5, UCS-2 or
GBK. A host program calls its four functions: CVT_StringConvert,
CVT_FileConvert, CVT_TableListStart and CVT_TableListEnd.

This package holds the header tessel.h, the link libtessel.so, the CMake
package (find_package(tessel), target tessel::tessel) and the pkg-config file
tessel.pc.")

set(CPACK_DEBIAN_TESSEL-TOOLS_PACKAGE_SECTION text)
set(CPACK_COMPONENT_TESSEL-TOOLS_DEPENDS ${TESSEL_RUNTIME_PACKAGE})
set(CPACK_COMPONENT_TESSEL-TOOLS_DESCRIPTION
    "convert text files between CNS 11643 and Big5, UCS-2, GBK or UTF-8
tessel-convert converts a text file with the tessel library, between seven-bit
CNS 11643, its EUC forms, Big5, UCS-2, GBK and UTF-8, and can list the
characters it could not convert. tessel-string converts one string.

This package also holds the default code tables in /usr/share/tessel,
generated from ICU's mapping data, with a CNSCVT.INI that points other hosts
of the library at them.")

set(CPACK_DEBIAN_QUILLON_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_QUILLON_PACKAGE_RECOMMENDS ${TOOLKIT_WINDOW_RECOMMENDS})
set(CPACK_COMPONENT_QUILLON_DESCRIPTION
    "rename files whose names hold user-defined characters
quillon renames files and folders whose names hold user-defined characters of
code page 950 (Big5), Unicode private-use code points, to the standard
characters that replaced them, or back, following a rename table. Each run
is logged, and can be previewed and undone.

This package holds the window program quillon, quillon-run for the command
line and a sample rename table.")

set(CPACK_DEBIAN_PICTOR_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PICTOR_PACKAGE_RECOMMENDS ${TOOLKIT_WINDOW_RECOMMENDS})
set(CPACK_COMPONENT_PICTOR_DESCRIPTION
    "print catalogues of user-defined characters
pictor prints, or previews, a catalogue of the user-defined characters of
code page 950 (Big5) in an EUDC font: each character boxed, with its Big5
code and its roots in the Phonetic and Changjie input methods.

This package holds the window program pictor; pictor-print, which writes the
catalogue to PDF without a window; pictor-roots, which lists the input
methods and roots; and pictor-mkfixture and pictor-mkfont, which write
demonstration data and generated EUDC fonts.")
