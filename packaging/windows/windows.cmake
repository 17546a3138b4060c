# The Windows package, flat: the programs beside tessel.dll, CNSCVT.INI and the rename table, the
# tables in share, the header and the import library for __stdcall hosts, the licence, and the
# notices of the tables' data when the tables are shipped. The texts for people are written with
# CR LF line ends, for every Windows editor.

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
install(TARGETS tessel-convert quillon-run RUNTIME DESTINATION .)
install(FILES ${QUILLON_SAMPLE_TABLE} DESTINATION .)
add_dependencies(toolkit_installed tessel tessel_host tessel-convert quillon-run quillon_sample_table)

toolkit_windows_text(${TOOLKIT_LICENSE} LICENSE.txt)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/LICENSE.txt DESTINATION .)
if(TESSEL_TABLE_FILES)
  install(FILES ${TESSEL_TABLE_FILES} DESTINATION share)
  toolkit_windows_text(${TOOLKIT_TABLES_NOTICE} THIRD-PARTY-NOTICES.txt)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/THIRD-PARTY-NOTICES.txt DESTINATION .)
else()
  message(STATUS "No code tables for the Windows package: set TESSEL_PREBUILT_TABLES to a native build's share folder")
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME eudc-toolkit-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "User-defined character tools for code page 950 (Big5): convert, rename, print")
set(CPACK_PACKAGE_DESCRIPTION
    "tessel converts text between CNS 11643 and Big5, UCS-2 or GBK; quillon renames files whose names hold user-defined characters; pictor prints catalogues of them.")
