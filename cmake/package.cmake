# The Debian package: `cmake --build build --target package` writes
# build/tavelo_<version>_amd64.deb with what `cmake --install` puts in place,
# under /usr. dpkg-shlibdeps works out the library dependencies from the
# program itself.
set(TAVELO_PACKAGE_CONTACT "The TAVELO authors <tavelo@users.noreply.github.com>"
    CACHE STRING "Maintainer of the Debian package, as 'Name <address>'")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The TAVELO authors")
set(CPACK_PACKAGE_CONTACT ${TAVELO_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/tavelo/tavelo)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TAVELO_BUILD_UI)
  # Qt finds its display plugins at run time, so no library names them.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
  # Qt's own button texts in the chosen language; English without it.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
endif()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "nonogram puzzles that are solved by logic alone
TAVELO is a picture-logic puzzle game, also known as nonogram, griddler or
paint by numbers: fill the board so that every row and column shows the runs
of filled cells its clue lists. Every puzzle it hands out can be solved by
logic alone, without guessing.

It keeps five puzzles side by side, from 3x3 to 20x20, with undo and redo,
a check that gives nothing away, a Nightmare mode, and puzzles shared as one
line of text. Given an option, the tavelo command prints new puzzles and
solves puzzles by line logic without a window.")

set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian_games_dir.cmake)
include(CPack)
