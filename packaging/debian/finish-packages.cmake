# Run by CPack once the Debian packages are made (CPACK_POST_BUILD_SCRIPTS). CPack gives a package
# that holds a shared library in /usr/lib a postinst and a postrm that call ldconfig. Such a package
# here carries the ldconfig trigger instead, as policy asks: the two scripts are taken out and the
# package is built again with dpkg-deb. A maintainer script that does anything more stops the
# packaging, since it would not be CPack's.

# The lines of CPack's ldconfig scripts.
set(ldconfig_script_line "^(#!/bin/sh|set -e|if \\[ \"\\$1\" = \"(configure|remove)\" \\]; then|ldconfig|fi)$")

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  get_filename_component(name ${deb} NAME_WLE)
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/finish/${name})
  file(REMOVE_RECURSE ${tree})
  file(MAKE_DIRECTORY ${tree})
  execute_process(COMMAND dpkg-deb --control ${deb} ${tree}/control COMMAND_ERROR_IS_FATAL ANY)
  set(triggers "")
  if(EXISTS ${tree}/control/triggers)
    file(STRINGS ${tree}/control/triggers triggers)
  endif()
  if(NOT "activate-noawait ldconfig" IN_LIST triggers)
    continue()
  endif()

  execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${tree}/root COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    set(file ${tree}/root/DEBIAN/${script})
    if(NOT EXISTS ${file})
      continue()
    endif()
    file(STRINGS ${file} lines)
    foreach(line IN LISTS lines)
      string(STRIP "${line}" line)
      if(line AND NOT line MATCHES "${ldconfig_script_line}")
        message(FATAL_ERROR "${name}: the ${script} does more than call ldconfig: ${line}")
      endif()
    endforeach()
    file(REMOVE ${file})
  endforeach()
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree}/root ${deb}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
  message(STATUS "${name}: the ldconfig trigger in place of maintainer scripts")
endforeach()
