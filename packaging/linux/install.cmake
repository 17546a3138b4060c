# The native installation, each file in the component of the Debian package that ships it (see
# debian/debian.cmake): the library in libtessel<SOVERSION>, what hosts build against in
# libtessel-dev, the tessel programs and the tables in tessel-tools, each desktop program and its
# tools in a package of its own name. Every package carries its copyright file and changelog.

find_program(GZIP_PROGRAM gzip REQUIRED)

get_target_property(TESSEL_SOVERSION tessel SOVERSION)
set(TESSEL_RUNTIME_PACKAGE libtessel${TESSEL_SOVERSION})
set(TESSEL_DEV_PACKAGE libtessel-dev)
set(TOOLKIT_PACKAGES ${TESSEL_RUNTIME_PACKAGE} ${TESSEL_DEV_PACKAGE} tessel-tools quillon pictor)

# A file configured when it is installed, for the installation prefix of that moment (that of
# `cmake --install --prefix`, or /usr in a package): @INSTALL_PREFIX@ is filled in then, every other
# @VARIABLE@ now.
function(toolkit_install_configured template destination component)
  get_filename_component(name ${template} NAME_WLE)
  set(INSTALL_PREFIX "@INSTALL_PREFIX@")
  configure_file(${template} ${CMAKE_CURRENT_BINARY_DIR}/${name}.in @ONLY)
  install(CODE "set(INSTALL_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
configure_file(\"${CMAKE_CURRENT_BINARY_DIR}/${name}.in\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/${name}\" @ONLY)
message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/${name}\")"
          COMPONENT ${component})
endfunction()

# toolkit_gzip(INPUT OUTPUT): OUTPUT is INPUT compressed as Debian wants it, at the highest level,
# with no name and no time in the header.
function(toolkit_gzip input output)
  get_filename_component(folder ${output} DIRECTORY)
  string(REGEX REPLACE "\\.gz$" "" uncompressed ${output})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${input} ${uncompressed}
    COMMAND ${GZIP_PROGRAM} -9nf ${uncompressed}
    DEPENDS ${input}
    VERBATIM)
endfunction()

# The library for hosts: the shared library alone in the runtime package, the link to it with the
# header, the CMake package and the pkg-config file in the development package.
install(TARGETS tessel EXPORT tessel-targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${TESSEL_RUNTIME_PACKAGE}
                NAMELINK_COMPONENT ${TESSEL_DEV_PACKAGE}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${TESSEL_HEADER} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT ${TESSEL_DEV_PACKAGE})
set(TESSEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/tessel)
install(EXPORT tessel-targets NAMESPACE tessel:: FILE tesselTargets.cmake DESTINATION ${TESSEL_CMAKE_DIR}
        COMPONENT ${TESSEL_DEV_PACKAGE})
include(CMakePackageConfigHelpers)
configure_package_config_file(cmake/tesselConfig.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/tesselConfig.cmake
                              INSTALL_DESTINATION ${TESSEL_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/tesselConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tesselConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/tesselConfigVersion.cmake
        DESTINATION ${TESSEL_CMAKE_DIR} COMPONENT ${TESSEL_DEV_PACKAGE})
toolkit_install_configured(${CMAKE_CURRENT_SOURCE_DIR}/cmake/tessel.pc.in ${CMAKE_INSTALL_LIBDIR}/pkgconfig
                           ${TESSEL_DEV_PACKAGE})

# The tables in share/tessel/share, so that TablePath=<datadir>/tessel finds them by the
# library's rule; CNSCVT.INI there says so, for hosts to copy.
install(FILES ${TESSEL_TABLE_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/tessel/share COMPONENT tessel-tools)
add_dependencies(toolkit_installed tessel tessel_default_tables)
toolkit_install_configured(${CMAKE_CURRENT_SOURCE_DIR}/cmake/CNSCVT.INI.in ${CMAKE_INSTALL_DATADIR}/tessel tessel-tools)

# The programs, quillon's in a folder of their own with the rename table and linked from bin.
# Programs that link the library find it by a run path relative to themselves, unless it goes
# where the system's loader looks anyway (as in a package for /usr).
file(RELATIVE_PATH LIBDIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
if(CMAKE_INSTALL_FULL_LIBDIR IN_LIST CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES)
  set(TOOLKIT_INSTALL_RPATH "")
else()
  set(TOOLKIT_INSTALL_RPATH "$ORIGIN/${LIBDIR_FROM_BINDIR}")
endif()
set(QUILLON_DIR ${CMAKE_INSTALL_LIBEXECDIR}/quillon)
file(RELATIVE_PATH QUILLON_DIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${QUILLON_DIR})
set(installed_quillon OFF)
foreach(program IN LISTS TOOLKIT_COMMAND_LINE_PROGRAMS TOOLKIT_WINDOW_PROGRAMS)
  if(NOT TARGET ${program})
    continue()
  endif()
  toolkit_package_of(${program} package)
  add_dependencies(toolkit_installed ${program})
  if(program IN_LIST QUILLON_PROGRAMS)
    install(TARGETS ${program} RUNTIME DESTINATION ${QUILLON_DIR} COMPONENT ${package})
    install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
file(CREATE_LINK \"${QUILLON_DIR_FROM_BINDIR}/${program}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\" SYMBOLIC)"
            COMPONENT ${package})
    set(installed_quillon ON)
  else()
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "${TOOLKIT_INSTALL_RPATH}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${package})
  endif()
endforeach()
if(installed_quillon)
  install(FILES ${QUILLON_SAMPLE_TABLE} DESTINATION ${QUILLON_DIR} COMPONENT quillon)
  add_dependencies(toolkit_installed quillon_sample_table)
endif()

# A manual page for each program: made from its --help for the command-line programs, written by
# hand for the window programs.
set(man_pages "")
set(help_programs "")
foreach(program IN LISTS TOOLKIT_COMMAND_LINE_PROGRAMS TOOLKIT_WINDOW_PROGRAMS)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1.gz)
  if(program IN_LIST TOOLKIT_WINDOW_PROGRAMS)
    configure_file(linux/${program}.1 ${CMAKE_CURRENT_BINARY_DIR}/man-written/${program}.1 @ONLY)
    toolkit_gzip(${CMAKE_CURRENT_BINARY_DIR}/man-written/${program}.1 ${page})
  else()
    add_custom_command(
      OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
      COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/make-man-page.py $<TARGET_FILE:${program}> ${program}
              ${PROJECT_VERSION} ${page} --gzip
      DEPENDS ${program} ${CMAKE_CURRENT_SOURCE_DIR}/make-man-page.py
      COMMENT "Writing the manual page of ${program}"
      VERBATIM)
    if(NOT program IN_LIST TOOLKIT_HELP_PENDING)
      list(APPEND help_programs $<TARGET_FILE:${program}>)
    endif()
  endif()
  list(APPEND man_pages ${page})
  toolkit_package_of(${program} package)
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${package})
endforeach()
add_custom_target(toolkit_man_pages ALL DEPENDS ${man_pages})
add_dependencies(toolkit_installed toolkit_man_pages)

# Desktop entries and icons of the window programs.
foreach(program IN LISTS TOOLKIT_WINDOW_PROGRAMS)
  if(TARGET ${program})
    toolkit_package_of(${program} package)
    install(FILES linux/${program}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT ${package})
    install(FILES linux/icons/${program}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            COMPONENT ${package})
  endif()
endforeach()

# Each package's copyright file (the licence, and the notices of the tables where they are
# shipped) and changelog, in share/doc/<package>.
set(package_docs "")
foreach(package IN LISTS TOOLKIT_PACKAGES)
  set(doc ${CMAKE_CURRENT_BINARY_DIR}/doc/${package})
  set(notice_arguments "")
  set(notice_files "")
  if(package STREQUAL "tessel-tools")
    string(REGEX REPLACE "^/" "" tables_in_package ${CMAKE_INSTALL_FULL_DATADIR}/tessel/share/*)
    set(notice_arguments --notice ${tables_in_package} ${TOOLKIT_TABLES_NOTICE}
                         ${TOOLKIT_TABLES_NOTICE_LICENSES})
    set(notice_files ${TOOLKIT_TABLES_NOTICE})
  endif()
  add_custom_command(
    OUTPUT ${doc}/copyright
    COMMAND ${CMAKE_COMMAND} -E make_directory ${doc}
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/debian/make-copyright.py ${doc}/copyright
            ${TOOLKIT_LICENSE} ${TOOLKIT_PACKAGE_MAINTAINER} ${notice_arguments}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/debian/make-copyright.py ${TOOLKIT_LICENSE} ${notice_files}
    COMMENT "Writing the copyright file of ${package}"
    VERBATIM)
  toolkit_gzip(${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog ${doc}/changelog.gz)
  list(APPEND package_docs ${doc}/copyright ${doc}/changelog.gz)
  install(FILES ${doc}/copyright ${doc}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
          COMPONENT ${package})
endforeach()
add_custom_target(toolkit_package_docs ALL DEPENDS ${package_docs})
add_dependencies(toolkit_installed toolkit_package_docs)
