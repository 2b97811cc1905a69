#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The game on Wayland, in a private headless weston: played through the
# accessibility bus, with Wayland's protocol log showing that every box is
# parented to the game window and that the windows carry the app id.
#
#   wayland.sh TICTACTOE WORKDIR
set -euo pipefail

game=$1 work=$2
mkdir -p "$work"
for tool in weston dbus-send /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
# Its helpers only: this session has no X server.
. "$(dirname "$0")/xsession.sh"

start_private_session
# The accessibility bus, up before the game looks for it.
wait_for "the accessibility bus" dbus-send --session --dest=org.a11y.Bus --print-reply \
    /org/a11y/bus org.a11y.Bus.GetAddress

spawn weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 \
    >"$work/weston.log" 2>&1
wait_for "the compositor" test -S "$XDG_RUNTIME_DIR/wayland-test"

step "the game on Wayland"
# A Widgets program draws through shared memory; Qt would still load its
# EGL integration, and with it the machine's graphics driver, whose leaks at
# exit (Mesa's software path leaves one) vary from machine to machine and
# would hide the game's own under the sanitizers. No plugin has this name,
# so Qt loads none (and says so once in the log).
WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
    QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=shared-memory-only \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 spawn "$game" >"$work/game.log" 2>&1
game_pid=$!
/usr/bin/python3 "$(dirname "$0")/atspi-play.py" "$wait_scale"
expect_end

step "the protocol log: app id, and every box parented to the game window"
# Each toplevel as its requests leave the game: title, app id and parent,
# noted when it is destroyed (ids are reused) or at the end. The log writes
# an object as xdg_toplevel@15, or since libwayland 1.23 xdg_toplevel#15.
toplevels=$(awk '
    function note(id) { if (id in title) print title[id] "|" app[id] "|" parent[id]; delete title[id] }
    /-> xdg_surface[@#][0-9]+\.get_toplevel/ { match($0, /xdg_toplevel[@#][0-9]+/); id = substr($0, RSTART, RLENGTH); title[id] = ""; app[id] = ""; parent[id] = "" }
    /-> xdg_toplevel[@#][0-9]+\./ {
        match($0, /xdg_toplevel[@#][0-9]+/); id = substr($0, RSTART, RLENGTH)
        if ($0 ~ /set_title\(/) { t = $0; sub(/.*set_title\("/, "", t); sub(/"\).*/, "", t); title[id] = t }
        if ($0 ~ /set_app_id\(/) { a = $0; sub(/.*set_app_id\("/, "", a); sub(/"\).*/, "", a); app[id] = a }
        if ($0 ~ /set_parent\(/) { p = $0; sub(/.*set_parent\(/, "", p); sub(/\).*/, "", p); parent[id] = p }
        if ($0 ~ /\.destroy\(/) note(id)
    }
    END { for (id in title) note(id) }' "$work/game.log")
echo "$toplevels"
main=$(grep -n -m 1 -- '-> xdg_toplevel[@#][0-9]*.set_title("Tic Tac Toe")' "$work/game.log" |
    grep -o 'xdg_toplevel[@#][0-9]*')
[ -n "$main" ] || fail "no game window in the protocol log"
grep -qx "Tic Tac Toe|example.pelko.tictactoe|" <<<"$toplevels" || fail "the game window's app id"
[ "$(grep -c '^TicTacToe|' <<<"$toplevels")" = 3 ] || fail "not three boxes"
! grep '^TicTacToe|' <<<"$toplevels" | grep -v "^TicTacToe|example.pelko.tictactoe|$main$" ||
    fail "a box not parented to the game window $main"
for title in "About Tic Tac Toe" "Pelko's Games Help"; do
    grep -qx "$title|example.pelko.tictactoe|" <<<"$toplevels" || fail "$title: app id or owner"
done
step "passed"
