# `make package`: a Debian package of what `cmake --install` installs, named
# zelvorn_<version>_<architecture>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvorn)
set(CPACK_PACKAGE_VENDOR "The Zelvorn developers")
# Whoever builds the package for others puts their own name and address here.
set(ZELVORN_MAINTAINER "The Zelvorn developers <zelvorn@users.noreply.github.com>" CACHE STRING
    "The Maintainer of the Debian package: a name and an e-mail address")
set(CPACK_PACKAGE_CONTACT "${ZELVORN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "attention training with number tables")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Zelvorn shows the numbers 1 to N² shuffled in a table of 5×5 to 9×9\n"
  "cells; the player clicks them in ascending order against the clock and\n"
  "gets a time and a grade.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The architecture is asked for here, not left to CPack, so that the tests know the file's name.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
set(ZELVORN_PACKAGE_FILE
    ${PROJECT_BINARY_DIR}/zelvorn_${PROJECT_VERSION}_${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}.deb)
# Education rather than games: the program is an exercise for practising attention, timed and
# graded, not a pastime. It also keeps the program in /usr/bin, on every user's PATH, and its
# manual page in section 1, where games would need /usr/games and section 6.
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The libraries the program and its audio module link come from dpkg-shlibdeps. What they load
# at run time is added by hand: the window system's platform plugins, the fonts the program's
# substitutions name, and Qt's own Chinese texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-extra, qt6-translations-l10n")
# CJK faces for what a user types, and the platform plugin of a Wayland session.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-wayland")
# CPack adds maintainer scripts that run ldconfig as soon as a shared object lies one folder below
# /usr/lib, as the private audio module in /usr/lib/zelvorn does. ldconfig never looks there; the
# script run after packaging builds the package again without them, and the same way each time.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb_repack.cmake)
include(CPack)
