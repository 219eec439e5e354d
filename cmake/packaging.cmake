# The Debian package: `cmake --build build --target package` (or `make package`) writes
# build/oxr-pump_<version>_<arch>.deb. Depends come from the libraries the programs link
# (dpkg-shlibdeps) plus the Qt platform plugins, which are loaded at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME oxr-pump)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "OXR")
set(CPACK_PACKAGE_CONTACT "OXR Pump Control maintainers <oxr-pump@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Runs the heated pump's two-zone temperature controller")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Plans measuring cycles of a heated laboratory pump, runs them on its two-zone\n\
temperature controller over RS-232, charts the temperatures live and writes\n\
comma-separated data files. Includes oxr-pumpsim, a simulated controller on a\n\
pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
