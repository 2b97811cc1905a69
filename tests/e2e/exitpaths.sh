#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# How the built program leaves: started without a display, asked to close
# while one of its boxes is open, and ended by a signal. In a sanitizer
# build a finding makes the program's status non-zero, which fails the test.
#
#   exitpaths.sh TICTACTOE WORKDIR
set -euo pipefail

game=$1 work=$2
mkdir -p "$work"
command -v wmctrl >/dev/null || { echo "wmctrl is missing" >&2; exit 1; }
. "$(dirname "$0")/xsession.sh"

# Starts the game in the environment given after $1 and expects it not to
# start: status 1, nothing on stdout and the one line $1 on stderr.
fails_to_start() {
    local expected=$1 status=0
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$game" >"$work/out.log" \
        2>"$work/err.log" || status=$?
    [ "$status" = 1 ] || fail "status $status with $*"
    [ "$(cat "$work/err.log")" = "tictactoe: $expected" ] || fail "with $*: $(cat "$work/err.log")"
    [ ! -s "$work/out.log" ] || fail "stdout: $(cat "$work/out.log")"
}

step "no display, or a missing platform plugin: one line on stderr and status 1"
fails_to_start "no display to show the game on (DISPLAY is not set)"
fails_to_start "cannot open the display :59999 to show the game on" DISPLAY=:59999
mkdir -p "$work/no-compositor" && chmod 700 "$work/no-compositor"
fails_to_start "cannot open the Wayland display wayland-0 to show the game on" \
    QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR="$work/no-compositor"
# Qt's own words, not a display that was never tried.
fails_to_start 'Could not find the Qt platform plugin "bogus" in ""' QT_QPA_PLATFORM=bogus

start_session

# Asks the window manager to close the main window, as its close button
# does, while a box is open over it. Openbox handles requests in turn, so
# once it has carried out a later one it has passed the close on to the
# game, ahead of any key pressed after it.
desktops() { xprop -root _NET_NUMBER_OF_DESKTOPS | awk '{ print $NF }'; }
# Read afresh at each poll: a count read once is never the one awaited when
# the window manager had not got to the request yet.
desktops_are() { [ "$(desktops)" = "$1" ]; }
close_under_box() {
    local count
    count=$(desktops)
    wmctrl -i -c "$main"
    wmctrl -n $((count + 1))
    wait_for "the window manager" desktops_are $((count + 1))
    wmctrl -n "$count"
    wait_for "the window manager" desktops_are "$count"
    has_focus "$box" || fail "the box lost the keyboard"
}

# After the box has closed, the game has seen the close request: it must
# have changed nothing.
still_open() {
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended"
    visible_windows | grep -qx "$main" || fail "the main window closed under the box"
}

step "closing the main window while a name box is open"
start_game "$game"
activate_main
press_f2
wait_box "$main"
close_under_box
press_in_box Return
still_open
answer_box "$main" "Bob"

step "closing the main window while the password box is open"
activate_main
click_at "$main" 240 $((168 + menu_height))
wait_box "$main"
close_under_box
xdotool type --delay 0 "wrong"
press_in_box Return
still_open
wait_box "$main" # "Password incorrect."
press_in_box Return

step "closing the main window while Play again? is open"
play 1 4 2 5 3
wait_box "$main"
close_under_box
press_in_box alt+n
still_open

step "the close button once the boxes are gone ends the program"
wmctrl -i -c "$main"
expect_end

step "a signal while a box is open ends the program"
start_game "$game"
activate_main
press_f2
wait_box "$main"
kill -TERM "$game_pid"
expect_end 143
step "passed"
