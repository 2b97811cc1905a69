#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A short game on GNOME's compositor, played with keys alone and heard
# through Orca: the built program on Qt's Wayland platform in a private
# headless mutter, keys from mutter's remote desktop keyboard. Checks each
# move's place with the status line, B's reading of the board, and the win
# with "Play again?", on the bus and in what Orca said; then GNOME's Large
# Text, from the window's size in the protocol log.
#
#   gnome.sh TICTACTOE WORKDIR
set -euo pipefail

game=$1 work=$2
mkdir -p "$work"
rm -rf "${work:?}"/*.log
for tool in mutter dbus-send gsettings /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
# Its helpers; the one X server here is Orca's (below).
. "$(dirname "$0")/xsession.sh"
. "$(dirname "$0")/orca.sh"

start_private_session
export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
start_mutter
start_input /usr/bin/python3 "$(dirname "$0")/mutter-input.py"
keys() { input "key $*"; }
# Orca 43 reads the keyboard map of the session's X server (Xwayland on a
# GNOME desktop) as it starts, and stops without one: it gets one of its own.
start_x_server
start_orca
unset DISPLAY

# Starts the game with its protocol log in $1, and waits until it has the
# keyboard. With the client buffer integration Qt loads by itself, unlike
# wayland.sh: without one, Qt 6.4 draws no title bar.
start_wayland_game() {
    QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 spawn "$game" >"$1" 2>&1
    game_pid=$!
    wait_for "the game window to have the keyboard" grep -q 'wl_keyboard[@#][0-9]*\.enter(' "$1"
}

# The size of the main window, the program's first, as it last set it:
# "W H" from the protocol log $1. The log writes an object as
# xdg_surface@15, or since libwayland 1.23 xdg_surface#15.
main_window_size() {
    awk '
        !id && /-> xdg_surface[@#][0-9]+\.get_toplevel/ { match($0, /xdg_surface[@#][0-9]+/); id = substr($0, RSTART, RLENGTH) }
        id && index($0, "-> " id ".destroy(") { exit }
        id && index($0, "-> " id ".set_window_geometry(0, 0, ") { size = $0; sub(/.*set_window_geometry\(0, 0, /, "", size); sub(/\).*/, "", size); sub(/, /, " ", size) }
        END { print size }' "$1"
}

step "the game on mutter"
start_wayland_game "$work/game.log"

step "a new game by keys: F2 and both names typed"
new_game_by_keys Ann Bob

step "Tab onto the board, arrows over it, Space to mark, B to read it"
keys_then Tab "$(cell 1 1)"
keys_then space "$(said "O, row 1, column 1. It's Bob's turn.")"
keys_then Down "$(cell 2 1)"
keys_then space "$(said "X, row 2, column 1. It's Ann's turn.")"
keys_then "Up Right" "$(cell 1 2)"
keys_then space "$(said "O, row 1, column 2. It's Bob's turn.")"
keys_then Down "$(cell 2 2)"
keys_then space "$(said "X, row 2, column 2. It's Ann's turn.")"
keys_then b "$(said "row 1: O, O, empty; row 2: X, X, empty; row 3: empty, empty, empty. It's Ann's turn.")"

step "the winning key, and Play again? answered No"
keys_then "Up Right" "$(cell 1 3)"
keys_then space "$(said "O, row 1, column 3. Ann Won!")" "focus push button: Yes"
keys_then alt+n "$(said "Click Menu - New Game or push F2 to get started.")" "$(cell 1 3)"

step "what Orca said"
# A few more keys push what matters out of Orca's log buffer.
keys_then Left "$(cell 1 2)"
keys_then Left "$(cell 1 1)"
keys_then Down "$(cell 2 1)"
orca_said
spoke "O, row 1, column 1. It's Bob's turn."
spoke "X, row 2, column 1. It's Ann's turn."
spoke "O, row 1, column 2. It's Bob's turn."
spoke "X, row 2, column 2. It's Ann's turn."
spoke "row 1: O, O, empty; row 2: X, X, empty; row 3: empty, empty, empty. It's Ann's turn."
spoke_play_again "O, row 1, column 3. Ann Won!"

step "Large Text at 1.5: the window half as large again"
# The window's own size, without the title bar Qt draws, whose lines Qt
# keeps as they are at any scale.
end_group "$game_pid"
export QT_WAYLAND_DISABLE_WINDOWDECORATION=1
start_wayland_game "$work/game-1.0.log"
read -r width height < <(main_window_size "$work/game-1.0.log")
[ "$width" = 249 ] || fail "the window is $width wide at 1.0"
end_group "$game_pid"
gsettings set org.gnome.desktop.interface text-scaling-factor 1.5
start_wayland_game "$work/game-1.5.log"
read -r scaled_width scaled_height < <(main_window_size "$work/game-1.5.log")
echo "${width} x ${height} at 1.0, ${scaled_width} x ${scaled_height} at 1.5"
# Within 3 pixels, in halves of a pixel.
near() { (($1 - $2 <= 6 && $2 - $1 <= 6)); }
near "$((scaled_width * 2))" "$((width * 3))" && near "$((scaled_height * 2))" "$((height * 3))" ||
    fail "at 1.5 the window is ${scaled_width} x ${scaled_height}, not 1.5 times ${width} x ${height}"
step "passed"
