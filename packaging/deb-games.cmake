# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Run by CPack on the staged files. Debian keeps the programs of the games
# section in /usr/games, which Debian puts on its users' PATH, so the .deb moves
# the program there; an ordinary install keeps it in bin.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(usr ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
  if(NOT EXISTS ${usr}/bin/tictactoe)
    message(FATAL_ERROR "no ${usr}/bin/tictactoe to move to games")
  endif()
  file(MAKE_DIRECTORY ${usr}/games)
  file(RENAME ${usr}/bin/tictactoe ${usr}/games/tictactoe)
  file(GLOB left ${usr}/bin/*)
  if(NOT left)
    file(REMOVE_RECURSE ${usr}/bin)
  endif()
endif()
