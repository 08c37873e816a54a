# `make package`: a Debian package of what `cmake --install` installs, named
# zelvorn_<version>_<architecture>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvorn)
set(CPACK_PACKAGE_VENDOR "The Zelvorn developers")
set(CPACK_PACKAGE_CONTACT "The Zelvorn developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "attention training with number tables")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Zelvorn shows the numbers 1 to N² shuffled in a table of 5×5 to 9×9 cells; the player\n"
  "clicks them in ascending order against the clock and gets a time and a grade.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the program and its audio module link come from dpkg-shlibdeps. What they load
# at run time is added by hand: the window system's platform plugins, the fonts the program's
# substitutions name, and Qt's own Chinese texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-extra, qt6-translations-l10n")
# CJK faces for what a user types, and the platform plugin of a Wayland session.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-wayland")
include(CPack)
