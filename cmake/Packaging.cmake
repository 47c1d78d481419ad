# The Debian package: cmake --build BUILD --target package writes
# kolmira_VERSION_ARCH.deb into BUILD. It holds what "cmake --install" puts
# under /usr; its dependencies are read from the programs by dpkg-shlibdeps.
set(KOLMIRA_PACKAGE_MAINTAINER "Kolmira maintainers <maintainers@kolmira.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kolmira)
set(CPACK_PACKAGE_VENDOR "Kolmira")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KOLMIRA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "geometric check of involute gear pairs")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Kolmira checks the geometry of involute gear pairs: external and internal\n"
  "spur and helical pairs, a pinion with a rack, and bevel pairs. It reports\n"
  "interference, undercut, too thin tooth tips and too low a contact ratio,\n"
  "computes the backlash and the measuring dimensions of both gears\n"
  "(chordal thickness, span, dimension over balls) and identifies an unknown\n"
  "gear from measurements. The program kolmira has Czech dialogs, a dimension\n"
  "table and printing; kolmira-cli drives the same dialogs from scripts\n"
  "and prints reports, tables and JSON.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
