# Installation layout and the Debian package (cpack -G DEB).
#
# The programs (the window Zentrix and the command-line zentrix-measure) look
# for the device library and the settings file Zentrix.ini in the folder of
# their own executable, so they, libModlink.so and the default settings go
# into one private folder, lib/zentrix. Where a user cannot write there, the
# window keeps that user's settings in ~/.config/zentrix, started from the
# defaults beside it. packaging/ adds the launcher links bin/Zentrix and
# bin/zentrix-measure, the default settings, the desktop entry, the icon, the
# manual pages and the Debian copyright file and changelog.

include(GNUInstallDirs)
set(ZENTRIX_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/zentrix)
# Installing (and so cpack) copies what has been built and builds nothing
# itself; otherwise cpack would first build every test program in the folder.
# Build first: cmake --build build && cmake --install build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentrix)
set(CPACK_PACKAGE_VENDOR Zentrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zentrix developers <zentrix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "utility for the Q47-05 USB data-acquisition module")
set(CPACK_PACKAGE_DESCRIPTION [[Zentrix finds Q47-05 modules by serial number, loads their firmware and shows
their status, measures with the four ADC channels as a multimeter, sets the
two DAC outputs and keeps the module's correction coefficients. Its user
interface is in Russian. zentrix-measure does the multimeter's work without
a window and writes the results as CSV, for scripts and long recordings.

The package ships a simulated device library, so the program always has a
module to talk to.]])
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program and the device library link come from
# dpkg-shlibdeps. Qt's window-system plugins are loaded at run time, so no
# library lookup finds them. The window's layout is drawn for Arial, Times New
# Roman and Courier New: the Liberation fonts have their metrics (and Cyrillic);
# with the fallback fonts of a bare system captions are cut off. Qt's Russian
# translation gives the standard dialog buttons Russian texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# cpack's ldconfig calls for the library in the private folder come out again.
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/drop_ldconfig_calls.cmake)

add_subdirectory(packaging)
include(CPack)
