# The Windows package, flat: the programs beside tessel.dll, CNSCVT.INI and the rename table, the
# tables in share, the header and the import library for __stdcall hosts, the licence, and the
# notices of the tables' data when the tables are shipped. The texts for people are written with
# CR LF line ends, for every Windows editor. The same install rules make the zip and the setup
# program (NSIS.template.in): whatever they install, the setup installs and its uninstaller removes.

# toolkit_windows_text(INPUT NAME): NAME, in the build folder, is INPUT with CR LF line ends.
function(toolkit_windows_text input name)
  file(READ ${input} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/windows/${name} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
endfunction()

install(TARGETS tessel RUNTIME DESTINATION .)
get_target_property(TESSEL_IMPORT_LIBRARY tessel_host INTERFACE_LINK_LIBRARIES)
install(FILES ${TESSEL_IMPORT_LIBRARY} DESTINATION lib RENAME libtessel.dll.a)
install(FILES ${TESSEL_HEADER} DESTINATION include)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/CNSCVT.INI DESTINATION .)
add_dependencies(toolkit_installed tessel tessel_host)

# The programs the Windows package ships, when their targets exist: the converter, quillon's two
# and the window programs.
set(TOOLKIT_WINDOWS_PROGRAMS tessel-convert quillon-run ${TOOLKIT_WINDOW_PROGRAMS})
set(installed_quillon OFF)
foreach(program IN LISTS TOOLKIT_WINDOWS_PROGRAMS)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION .)
    add_dependencies(toolkit_installed ${program})
    if(program IN_LIST QUILLON_PROGRAMS)
      set(installed_quillon ON)
    endif()
  endif()
endforeach()
if(installed_quillon)
  install(FILES ${QUILLON_SAMPLE_TABLE} DESTINATION .)
  add_dependencies(toolkit_installed quillon_sample_table)
endif()

toolkit_windows_text(${TOOLKIT_LICENSE} LICENSE.txt)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/LICENSE.txt DESTINATION .)
if(TESSEL_TABLE_FILES)
  install(FILES ${TESSEL_TABLE_FILES} DESTINATION share)
  toolkit_windows_text(${TOOLKIT_TABLES_NOTICE} THIRD-PARTY-NOTICES.txt)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/THIRD-PARTY-NOTICES.txt DESTINATION .)
else()
  message(STATUS "No code tables for the Windows package: set TESSEL_PREBUILT_TABLES to a native build's share folder")
endif()

# The Start-menu entry of each window program, named as its desktop entry is in Traditional
# Chinese: the setup makes the entries of those it installs (window-programs.nsh).
set(TOOLKIT_START_MENU_ENTRIES "")
set(window_programs_nsh "; Made by windows.cmake: each window program and its Start-menu entry.\n")
foreach(program IN LISTS TOOLKIT_WINDOW_PROGRAMS)
  set(desktop_entry ${CMAKE_CURRENT_LIST_DIR}/../linux/${program}.desktop)
  file(STRINGS ${desktop_entry} name REGEX "^Name\\[zh_TW\\]=" ENCODING UTF-8)
  string(REGEX REPLACE "^Name\\[zh_TW\\]=" "" name "${name}")
  if(name STREQUAL "")
    message(FATAL_ERROR "${desktop_entry} has no Name[zh_TW] for the Start menu")
  endif()
  list(APPEND TOOLKIT_START_MENU_ENTRIES "${program}.exe=${name}")
  string(APPEND window_programs_nsh "!insertmacro WINDOW_PROGRAM \"${program}.exe\" \"${name}\"\n")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${desktop_entry})
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/windows/window-programs.nsh
     CONTENT "${window_programs_nsh}" @ONLY)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME eudc-toolkit-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "User-defined character tools for code page 950 (Big5): convert, rename, print")
set(CPACK_PACKAGE_DESCRIPTION
    "tessel converts text between CNS 11643 and Big5, UCS-2 or GBK; quillon renames files whose names hold user-defined characters; pictor prints catalogues of them.")

# The setup program: eudc-toolkit-<version>-setup.exe (cpack-generators.cmake), made from
# NSIS.template.in here, installing into Program Files, with its uninstaller in the system's list of
# installed programs under the key eudc-toolkit. Its pages are in Traditional Chinese, and so is
# its name there, which is also that of its Start-menu folder. Its data is one LZMA stream, which
# the tests read.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-generators.cmake)
set(CPACK_TOOLKIT_SETUP_FILE_NAME eudc-toolkit-${PROJECT_VERSION}-setup)
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "EUDC Toolkit")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY eudc-toolkit)
set(CPACK_NSIS_DISPLAY_NAME "自造字工具")
set(CPACK_NSIS_UNINSTALL_NAME uninstall)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_TOOLKIT_COPYRIGHT "${copyright_line}")
set(CPACK_TOOLKIT_SETUP_LICENSE ${CMAKE_CURRENT_BINARY_DIR}/windows/LICENSE.txt)
set(CPACK_TOOLKIT_WINDOW_PROGRAMS_NSH ${CMAKE_CURRENT_BINARY_DIR}/windows/window-programs.nsh)
