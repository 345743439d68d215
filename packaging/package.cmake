# The Debian package, made by `cpack` from the install rules: one package
# "zeko" under /usr, its dependencies read from the shared libraries by
# dpkg-shlibdeps (a font comes with Qt's fontconfig). Desktop, MIME and icon
# caches are refreshed by the triggers of the packages that own them, so the
# package carries no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeko)
set(CPACK_PACKAGE_VENDOR "Kiezel Games")
set(CPACK_PACKAGE_CONTACT "Kiezel Games <zeko@kiezelgames.nl>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sowing game on two rows of six pits")
set(CPACK_PACKAGE_DESCRIPTION
    "Zeko is the sowing game of the mancala family, played on two rows of six
pits with 48 stones. Play the computer at nine levels, from Beginner to
Grandmaster, with or without a clock, or play each other on one board.
Take-back and replay, a file of saved games, a position editor, an analysis
of any position, colour schemes, and Dutch and English texts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kiezelgames.nl/zeko/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not name: the help engine reads its files through
# Qt's SQLite driver, a plugin. dpkg-shlibdeps adds the libraries' packages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-sqlite)
# Qt draws through X11 (XWayland too) with what the libraries bring; the
# first adds a window of its own on Wayland desktops, the second Qt's own
# Dutch texts (standard buttons, file and colour dialogs).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")

include(CPack)
