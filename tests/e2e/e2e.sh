#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Plays the built game in a private X server with real keys and clicks, as a
# player would, and checks what the window shows.
#
#   e2e.sh TICTACTOE E2E_EXPECT WORKDIR
set -euo pipefail

game=$1 expect=$2 work=$3
mkdir -p "$work"
rm -f "$work"/*.png
. "$(dirname "$0")/xsession.sh"

start_session
start_game "$game"

# Waits for the window to look as the given state should.
shots=0
shows() { import -window "$main" "$shot" && "$expect" "$shot" "$@"; }
check() {
    shots=$((shots + 1))
    shot="$work/shot$shots.png"
    poll_until shows "$@" || { shows "$@" || true; fail "the window differs from: $*"; }
}

step "start-up"
check --status "Click Menu - New Game or push F2 to get started." --cells .........

step "a new game with typed names"
new_game "Ann Lee" "Bob"
check --status "It's Ann Lee's turn." --cells .........

step "moves by real clicks"
click_cell 5
check --status "It's Bob's turn." --cells ....O....
play 1
click_cell 5 # taken: changes nothing
check --status "It's Ann Lee's turn." --cells X...O....
click_cell 9
check --status "It's Bob's turn." --cells X...O...O

step "a won game answered No"
new_game "Ann" "Bob"
play 1 4 2 5
check --status "It's Ann's turn." --cells OO.XX....
click_cell 3
wait_box "$main"
# The box stands over the board: move it aside to see the board behind it.
xdotool windowmove "$box" 600 500
check --status "Ann Won!" --decorated --cells .........
press_in_box alt+n
check --status "Click Menu - New Game or push F2 to get started." --cleared --cells .........

step "a full board: the cat, answered Yes"
new_game "Ann" "Bob"
play 1 2 3 5 4 6 8 7 9
wait_box "$main"
xdotool windowmove "$box" 600 500
check --status "               The Cat Won!" --cat --cleared --cells .........
press_in_box Return # Yes is the default
answer_box "$main" "Cyd"
answer_box "$main" "Dee"
check --status "It's Cyd's turn." --cleared --cells .........

step "About from the menu, closed with Escape"
menu a
wait_for "the About window" window_named "About Tic Tac Toe"
about=$(window_named "About Tic Tac Toe")
[ "$(xwininfo -id "$about" | awk '/Absolute upper-left [XY]/ { printf "%s,", $NF }')" = "156,129," ] ||
    fail "the About window is not at its place"
wait_for "the About window to have the keyboard" has_focus "$about"
xdotool key Escape
wait_for "the About window to close" gone "$about"

step "Help from the menu, closed with its button"
menu Down Return
wait_for "the Help window" window_named "Pelko's Games Help"
help=$(window_named "Pelko's Games Help")
click_at "$help" 204 112
wait_for "the Help window to close" gone "$help"

step "Exit with About open: the program ends when About closes"
menu a
wait_for "the About window" window_named "About Tic Tac Toe"
about=$(window_named "About Tic Tac Toe")
menu x
wait_for "the main window to close" gone "$main"
kill -0 "$game_pid" 2>/dev/null || fail "the program ended with About open"
window_named "About Tic Tac Toe" >/dev/null || fail "About closed with the main window"
xdotool windowactivate --sync "$about"
wait_for "the About window to have the keyboard" has_focus "$about"
xdotool key Return
expect_end
step "passed"
