# The Debian package: `cpack -G DEB` in the build tree makes
# zeltacalc_<version>_<architecture>.deb from what `cmake --install` installs,
# under /usr. Its dependencies are the ones dpkg-shlibdeps finds in the
# programs, so they follow whatever the build links.
include_guard(GLOBAL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeltacalc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZeltaCalc Project")
set(CPACK_PACKAGE_CONTACT "${ZC_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scientific calculator with a console, graphs and math tools")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Release builds carry debugging information; the package does not.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZC_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to dpkg-shlibdeps: Qt's own dialog texts
# in Japanese, and a Japanese font for the interface.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "qt6-translations-l10n, fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic")
# The long description; CPack puts the summary above it and indents it the
# way the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "ZeltaCalc is a scientific calculator with a console-style window and a
Japanese user interface. An expression typed on the input line is evaluated
into the log, with the variables listed beside it. The language has decimal,
hexadecimal and binary numbers, 53 built-in functions in degrees, radians and
grads, variables, constants, the previous answer, comma lists, and functions
of the user's own, written as expressions or as procedures in plugin
libraries.

Tools for graphs of up to three expressions, slopes and integrals, primes,
fractions and quadratic equations sit around the console.

zeltacalc-console is the same calculator for a terminal or a script, and
zeltacalc-plot draws the graph tool's pictures from the command line.")

include(CPack)
