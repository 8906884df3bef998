# Read by CPack once per generator: the Debian package and the portable tarball each take their
# own install component (packaging/CMakeLists.txt).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_COMPONENTS_ALL deb)
  set(CPACK_PACKAGING_INSTALL_PREFIX /)
else()
  set(CPACK_COMPONENTS_ALL portable)
  # The archive unpacks into one folder of its own name.
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
