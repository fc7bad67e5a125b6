# The Debian package: everything the project installs, under /usr, built
# with `cpack` in the build folder (needs dpkg-dev). Its dependencies on
# shared libraries come from dpkg-shlibdeps over the installed programs;
# the fonts the window is laid out for come on top, as no library names them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${OSTRA_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ostra Video")
set(CPACK_PACKAGE_CONTACT "Ostra Video <support@ostra-video.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for Ostra and Melka video selector configuration files")
set(CPACK_PACKAGE_DESCRIPTION
  "A desktop editor for the 2048-byte configuration files of the Ostra and\n"
  "Melka HD video auto-selectors and the Pindo matrix routers behind them.\n"
  "It opens a file from the unit's flash card or from anywhere, shows every\n"
  "setting in one window and saves it back byte-exact.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.ostra-video.example")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")

include(CPack)
