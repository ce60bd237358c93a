# Where an installation puts ZeltaCalc's files, relative to the prefix, and
# the header that tells the programs about it (target zc_install_layout).
#
# The programs find their data files and the plugin host relative to their
# own folder, never through an absolute path, so that an installation can be
# moved as a whole (a package unpacked with `dpkg -x` somewhere else works).
# In the build tree everything sits beside the programs in bin/ instead, and
# that is looked at first.
include_guard(GLOBAL)
include(GNUInstallDirs)

set(ZC_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zeltacalc)
# The plugin host is started by the programs, never by a user.
set(ZC_INSTALL_HELPER_DIR ${CMAKE_INSTALL_LIBEXECDIR}/zeltacalc)
# Not CMAKE_INSTALL_DOCDIR, which is named after the CMake project.
set(ZC_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/zeltacalc)
# The id that names the desktop entry, the icon and the AppStream metadata.
set(ZC_APP_ID io.github.zeltacalc.ZeltaCalc)
# Who answers for the package, and where the project lives.
set(ZC_MAINTAINER "ZeltaCalc Project <developers@zeltacalc.example.org>")
set(ZC_HOMEPAGE "https://zeltacalc.example.org/")
# The day this version was released: the man pages and the AppStream
# metadata carry it (so a rebuild gives the same pages).
set(ZC_RELEASE_DATE 2026-12-09)

file(RELATIVE_PATH ZC_DATA_DIR_FROM_PROGRAMS
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/zeltacalc)
file(RELATIVE_PATH ZC_HELPER_DIR_FROM_PROGRAMS
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zeltacalc)

configure_file(${CMAKE_CURRENT_LIST_DIR}/install_layout.h.in
  ${CMAKE_BINARY_DIR}/generated/include/install_layout.h @ONLY)
add_library(zc_install_layout INTERFACE)
target_include_directories(zc_install_layout INTERFACE ${CMAKE_BINARY_DIR}/generated/include)
