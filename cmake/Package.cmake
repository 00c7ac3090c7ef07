# `make package`: a Debian package of the installation, its dependencies found by dpkg-shlibdeps.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmaro developers")
set(CPACK_PACKAGE_CONTACT "The Velmaro developers <velmaro@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "runoff hydrograph of a small watershed by the curve-number method")
set(CPACK_PACKAGE_DESCRIPTION
  "Velmaro turns a design rainfall over one small watershed into its\n\
surface-runoff hydrograph: concentration time, rainfall and hyetogram,\n\
retention and runoff depths, and the runoff hydrograph with its volume and\n\
peak discharge. Every number has its own choice of units, reference tables of\n\
soil groups and curve numbers fill values in, and a report filled from a\n\
rich-text template can be printed.\n\
.\n\
The command-line runner velmaro-cli computes the same results without a\n\
window, for scripts and batch studies.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help > Notes... hands the PDF to the desktop through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
