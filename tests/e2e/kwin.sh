#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The game on Plasma's compositor, KWin, headless in a private session:
# played with keys and clicks that KWin itself delivers (its fake input
# protocol), each move followed on the accessibility bus and heard through
# Orca, and the window as KWin frames it, read from Wayland's protocol log.
#
#   kwin.sh TICTACTOE FAKEINPUT WORKDIR
set -euo pipefail
game=$1 fakeinput=$2 work=$3
mkdir -p "$work"
rm -rf "${work:?}"/*.log
for tool in kwin_wayland dbus-send /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
. "$(dirname "$0")/xsession.sh"
. "$(dirname "$0")/orca.sh"
keys() { input "key $*"; }

start_private_session
start_kwin
start_input "$fakeinput"
# Orca 43 reads the keyboard map of the session's X server (Xwayland on a
# Plasma desktop) as it starts, and stops without one: it gets one of its
# own, which the game does not see.
start_x_server
start_orca
unset DISPLAY

step "the game on KWin"
# As on a Plasma desktop; without a client buffer integration, as
# wayland.sh explains.
XDG_CURRENT_DESKTOP=KDE QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
    QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=shared-memory-only spawn "$game" >"$work/game.log" 2>&1
game_pid=$!
# Requests the game sends and events it gets, as the protocol log writes
# them (an object as wl_pointer@5, or since libwayland 1.23 wl_pointer#5).
logged() { grep -E -- "$1" "$work/game.log"; }
wait_for "the game window to have the keyboard" logged 'wl_keyboard[@#][0-9]+\.enter\('

step "the window KWin framed: its title bar KWin's, no decoration of Qt's"
# zxdg_toplevel_decoration_v1's mode 2 is server side.
logged 'zxdg_toplevel_decoration_v1[@#][0-9]+\.configure\(2\)' >/dev/null ||
    fail "KWin did not draw the title bar: $(logged 'decoration' | tail -n 3)"
geometry=$(logged '-> xdg_surface[@#][0-9]+\.set_window_geometry' | tail -n 1 |
    sed -n 's/.*set_window_geometry(0, 0, \([0-9]*\), \([0-9]*\)).*/\1 \2/p')
read -r width height <<<"$geometry"
menu_height=$(/usr/bin/python3 -c '
import sys, pyatspi
sys.path.insert(0, sys.argv[1])
from atspi import application, find
bar = find(application("TicTacToe"), pyatspi.ROLE_MENU_BAR)
print(bar.queryComponent().getExtents(pyatspi.WINDOW_COORDS).height)' "$(dirname "$0")")
echo "window geometry ${width} x ${height}, menu bar ${menu_height} high"
[ "$width x $height" = "249 x $((231 + menu_height))" ] ||
    fail "the window is $width x $height, not 249 x 231 below a menu bar $menu_height high"

# KWin places the window; where, the game is told only by the pointer: it
# enters the window at the screen's middle (KWin centres a new window) at a
# place of the window's own, so the window's top left is the difference.
input moveto 512 384
wait_for "the pointer in the game window" logged 'wl_pointer[@#][0-9]+\.enter\('
read -r left top < <(logged 'wl_pointer[@#][0-9]+\.enter\(' | tail -n 1 |
    sed 's/.*, \([0-9.]*\), \([0-9.]*\))$/\1 \2/' | awk '{ print 512 - int($1), 384 - int($2) }')
echo "the window's client area is at $left,$top"
# A click in the middle of cell N, then what the bus must carry.
click_then() {
    local from
    from=$(($(wc -l <"$events") + 1))
    input moveto $((left + 40 + 56 * (($1 - 1) % 3) + 28)) \
        $((top + menu_height + 56 + 56 * (($1 - 1) / 3) + 28))
    input click
    wait_for "$2" seen_since "$from" "$2"
    settle
}

step "F2 and both names typed into their boxes"
new_game_by_keys Ann Bob

step "Tab onto the board, arrows and Space for Ann, clicks for Bob; Play again? No"
keys_then Tab "$(cell 1 1)"
keys_then space "$(said "O, row 1, column 1. It's Bob's turn.")"
click_then 5 "$(said "X, row 2, column 2. It's Ann's turn.")"
keys_then Right "$(cell 1 2)"
keys_then space "$(said "O, row 1, column 2. It's Bob's turn.")"
click_then 9 "$(said "X, row 3, column 3. It's Ann's turn.")"
keys_then Right "$(cell 1 3)"
keys_then space "$(said "O, row 1, column 3. Ann Won!")" "focus push button: Yes"
keys_then alt+n "$(said "Click Menu - New Game or push F2 to get started.")"

step "Exit from the menu, opened with a click"
# Alt+M opens the menu on KWin too, but Qt 6.4 closes it again at once.
popups() { grep -cE -- '-> xdg_surface[@#][0-9]+\.get_popup' "$work/game.log" || true; }
more_popups() { [ "$(popups)" -gt "$1" ]; }
before=$(popups)
input moveto $((left + 14)) $((top + menu_height / 2))
input click
wait_for "the menu" more_popups "$before"
input "key x"
expect_end

step "what Orca said"
orca_said
spoke "O, row 1, column 1. It's Bob's turn."
spoke "X, row 2, column 2. It's Ann's turn."
spoke_play_again "O, row 1, column 3. Ann Won!"
step "passed"
