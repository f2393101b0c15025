# Run by CPack on the staged package tree before the .deb is made: Debian
# keeps the programs of games in /usr/games (lintian refuses section "games"
# otherwise). /usr/games is on every user's PATH, so the desktop entry's plain
# "Exec=tavelo" still finds the program.
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT EXISTS "${usr}/bin/tavelo")
  message(FATAL_ERROR "no bin/tavelo in the staged package under ${usr}")
endif()
file(MAKE_DIRECTORY "${usr}/games")
file(RENAME "${usr}/bin/tavelo" "${usr}/games/tavelo")
file(GLOB left_in_bin "${usr}/bin/*")
if(NOT left_in_bin)
  file(REMOVE_RECURSE "${usr}/bin")
endif()
