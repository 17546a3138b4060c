# Read by cpack once for each generator of the Windows package: the setup program has a name of its
# own beside the zip, and installs the files themselves, with no folder around them.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_TOOLKIT_SETUP_FILE_NAME}")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
