# The Debian package: `cpack -G DEB` in the build folder makes
# tavenor-print_<version>_<arch>.deb, installed under /usr. Its dependencies
# are named here rather than computed, so that a package built anywhere
# asks for the same things: the Qt 6 libraries the program links, the
# Japanese texts of Qt's dialogs, libcups for the queue states and the IPA
# fonts that stand in for the Windows faces of the worksheets. The package
# has no maintainer scripts: the file types, icons and menu entry are taken
# up by the desktop's own triggers, and nothing outside /usr is touched, so
# removing it leaves every worksheet of the user where it is.

set(CPACK_PACKAGE_NAME tavenor-print)
set(CPACK_PACKAGE_VENDOR Tavenor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tavenor Print - worksheet editor for primary school")
set(CPACK_PACKAGE_DESCRIPTION
  "An editor in which primary-school teachers make printable study worksheets\n\
(texts, lines, boxes, pictures, a name field and math problems), prints them\n\
as problem and answer sheets, and finds them again in its navigator.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
# The maintainer field names the vendor; it has no mail address of its own yet.
set(CPACK_PACKAGE_CONTACT "Tavenor")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(_qt ">= ${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR}")
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6core6 (${_qt})" "libqt6gui6 (${_qt})" "libqt6widgets6 (${_qt})"
  "libqt6printsupport6 (${_qt})" "libqt6network6 (${_qt})" "qt6-translations-l10n"
  "libcups2" "libssl3" "libc6" "libstdc++6" "libgcc-s1"
  "fonts-ipafont-gothic" "fonts-ipafont-mincho")
# Opening the web site and the files from the desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
