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
command -v orca >/dev/null || fail "orca is missing"

start_session
# Qt speaks to the bus only when asked to, or when a desktop says so.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Orca's speech server plays into ALSA's null device: no sound card, or the
# lack of one, can hang or mute it.
mkdir -p "$HOME/.config/speech-dispatcher"
printf 'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n' \
    >"$HOME/.config/speech-dispatcher/speechd.conf"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
atspi="/usr/bin/python3 $(dirname "$0")/atspi.py"

events="$work/events.log"
touch "$events"
# Orca allows one of itself per user; the test does not replace a player's.
! pgrep -u "$(id -u)" -x orca >/dev/null || fail "an Orca of this user is running already"
spawn orca -u "$work/orca-prefs" --debug-file="$work/orca.log" >"$work/orca.out" 2>&1
orca_pid=$!
# Orca writes its log in chunks: wait for it on the bus instead. Debian's
# Python, which has the bindings, whatever python3 comes first in PATH.
wait_for "the screen reader" $atspi running orca
spawn $atspi listen "$events" >"$work/listen.out" 2>&1
wait_for "the bus listener" grep -qx ready "$work/listen.out"

start_game "$game"

# Goes at a listener's pace: waits until Orca has worked through what it
# heard (its CPU time stays put for half a second). Answered faster, a box
# or a replaced message goes by unspoken.
cpu_time() { awk '{ print $14 + $15 }' "/proc/$orca_pid/stat"; }
quiet_polls=0 last_cpu=-1
orca_idle() {
    local now
    now=$(cpu_time)
    if [ "$now" = "$last_cpu" ]; then quiet_polls=$((quiet_polls + 1)); else quiet_polls=0; fi
    last_cpu=$now
    [ "$quiet_polls" -ge 50 ]
}
settle() {
    quiet_polls=0 last_cpu=-1
    wait_for "Orca to catch up" orca_idle
}

# Presses keys and waits until the bus has carried each of the given lines
# since, in any order.
seen_since() { tail -n +"$1" "$events" | grep -qxF -- "$2"; }
keys_then() {
    local keys=$1 from
    shift
    from=$(($(wc -l <"$events") + 1))
    # shellcheck disable=SC2086 # several keys
    xdotool key $keys
    for line in "$@"; do wait_for "$line" seen_since "$from" "$line"; done
    settle
}
cell() { echo "focus push button: row $1, column $2, ${3:-empty}"; }
said() { echo "said: $1"; }

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
# Orca writes its log in chunks of a few kilobytes: a few more moves over
# the board push what matters out of its buffer; then it is asked to end,
# and killed should it not.
keys_then "Tab Left" "$(cell 3 2)"
keys_then Up "$(cell 2 2)"
keys_then Up "$(cell 1 2)"
kill "$orca_pid"
orca_ended() { ! kill -0 "$orca_pid" 2>/dev/null; }
poll_until orca_ended || kill -KILL -- "-$orca_pid" 2>/dev/null || true
wait "$orca_pid" 2>/dev/null || true
sed -n "s/.*SPEECH OUTPUT: '\(.*\)' *{.*/\1/p" "$work/orca.log" >"$work/spoken.txt"
spoke() { grep -qF -- "$1" "$work/spoken.txt" || fail "Orca did not say: $1"; }
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
# With the question, the move and result that ended the game and the
# focused button.
grep -A6 -F "Play again?" "$work/spoken.txt" | grep -qE "(^|notification )O, row 1, column 3. Ann Won!$" ||
    fail "Orca did not say the result with Play again?"
grep -A6 -F "Play again?" "$work/spoken.txt" | grep -qE "^Yes (push )?button" ||
    fail "Orca did not say the Yes button with Play again?"
step "passed"
