#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A game played with the keyboard alone, with a screen reader listening: the
# built program in a private X session with its own accessibility bus, the
# Orca screen reader, and a listener on the bus. Checks which cell holds the
# focus, that each move's place with the status line, and B's reading of
# the board, reach the bus as messages to speak, then what Orca would have
# said (its debug log).
#
#   spoken.sh TICTACTOE WORKDIR
set -euo pipefail

game=$1 work=$2
mkdir -p "$work"
rm -rf "${work:?}"/*.log
. "$(dirname "$0")/xsession.sh"
. "$(dirname "$0")/orca.sh"
keys() { xdotool key "$@"; }

start_session
start_orca
start_game "$game"

step "a new game: the turn is announced"
new_game "Ann" "Bob"
wait_for "the first turn" seen_since 1 "$(said "It's Ann's turn.")"

step "Tab onto the board, arrows over it, Space and Return to mark; a click"
keys_then Tab "$(cell 1 1)"
keys_then space "$(said "O, row 1, column 1. It's Bob's turn.")"
keys_then Down "$(cell 2 1)"
keys_then Return "$(said "X, row 2, column 1. It's Ann's turn.")"
keys_then Up "$(cell 1 1 O)"
keys_then Right "$(cell 1 2)"
keys_then space "$(said "O, row 1, column 2. It's Bob's turn.")"
# Bob plays with the mouse: Ann hears where.
from=$(($(wc -l <"$events") + 1))
click_cell 5
wait_for "the mouse move" seen_since "$from" "$(said "X, row 2, column 2. It's Ann's turn.")"
settle

step "B reads the board and the status line"
keys_then b "$(said "row 1: O, O, empty; row 2: X, X, empty; row 3: empty, empty, empty. It's Ann's turn.")"
keys_then Right "$(cell 1 3)"

step "the winning key: the move and result, and again when Play again? opens"
keys_then space "$(said "O, row 1, column 3. Ann Won!")" "focus push button: Yes"
wait_box "$main"
settle
wait_for "the result with the box" \
    bash -c "tail -n 3 '$events' | grep -qxF 'said: O, row 1, column 3. Ann Won!'"
press_in_box Return
answer_box "$main" "Cyd"
answer_box "$main" "Dee"
wait_for "the keyboard back on the board" seen_since 1 "$(cell 1 3)"

step "the cat by keys, answered No"
# O 1, X 2, O 3, X 5, O 4, X 6, O 8, X 7, O 9, from cell 3.
keys_then "Left Left space" "$(said "O, row 1, column 1. It's Dee's turn.")"
keys_then "Right space" "$(said "X, row 1, column 2. It's Cyd's turn.")"
keys_then "Right space" "$(said "O, row 1, column 3. It's Dee's turn.")"
keys_then "Down Left space" "$(said "X, row 2, column 2. It's Cyd's turn.")"
keys_then "Left space" "$(said "O, row 2, column 1. It's Dee's turn.")"
keys_then "Right Right space" "$(said "X, row 2, column 3. It's Cyd's turn.")"
keys_then "Down Left space" "$(said "O, row 3, column 2. It's Dee's turn.")"
keys_then "Left space" "$(said "X, row 3, column 1. It's Cyd's turn.")"
keys_then "Right Right" "$(cell 3 3)"
keys_then space "$(said "O, row 3, column 3. The Cat Won!")" "focus push button: Yes"
wait_box "$main"
settle
press_in_box alt+n
wait_for "the idle text" seen_since 1 "$(said "Click Menu - New Game or push F2 to get started.")"

step "what Orca said"
# A few more keys push what matters out of Orca's log buffer.
keys_then "Tab Left" "$(cell 3 2)"
keys_then Up "$(cell 2 2)"
keys_then Up "$(cell 1 2)"
orca_said
# Orca runs behind the keys and reads a cell as it finds it then: the
# place with an empty cell, and with a mark. (Orca 48 calls a push button
# a button, and says a notification's role apart from its text.)
grep -qE "^row [1-3], column [1-3], empty (push )?button" "$work/spoken.txt" ||
    fail "Orca did not say an empty cell's place"
grep -qE "^row [1-3], column [1-3], [OX] (push )?button" "$work/spoken.txt" ||
    fail "Orca did not say a marked cell's place"
spoke "O, row 1, column 1. It's Bob's turn."
spoke "X, row 2, column 2. It's Ann's turn."
spoke "row 1: O, O, empty; row 2: X, X, empty; row 3: empty, empty, empty. It's Ann's turn."
spoke "O, row 3, column 3. The Cat Won!"
spoke_play_again "O, row 1, column 3. Ann Won!"
step "passed"
