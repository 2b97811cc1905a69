#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Takes the README's pictures of the game on GNOME's and Plasma's
# compositors: the release build on Qt's Wayland platform in a private
# headless mutter and KWin in turn, a few moves made by keys through the
# compositor, and the window with its title bar cut from the compositor's
# own capture of the screen: where it differs from a capture taken before.
#
#   docs/desktop-shots.sh [BUILD_DIR]   (default build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
[ -x "$build/tests/fakeinput" ] || { echo "no $build/tests/fakeinput: build the tests" >&2; exit 1; }
work=$(mktemp -d)
. tests/e2e/xsession.sh
trap 'cleanup; rm -rf "$work"' EXIT

# Names typed into the boxes, Tab onto the board and Space on cells 5, 1,
# 9 and 3; each key once the game has drawn the last (its protocol log has
# grown by a frame).
commits() { grep -c 'wl_surface[@#][0-9]*\.commit()' "$work/game.log" || true; }
committed_since() { [ "$(commits)" -gt "$1" ]; }
keys_drawn() {
    local before
    before=$(commits)
    input "$@"
    wait_for "the game to draw" committed_since "$before"
    sleep 0.3 # the box, or the rest of the frame
}
play_game() {
    QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 spawn "$build/tictactoe" >"$work/game.log" 2>&1
    game_pid=$!
    wait_for "the game to have the keyboard" grep -q 'wl_keyboard[@#][0-9]*\.enter(' "$work/game.log"
    keys_drawn key F2
    input "type Ann"
    keys_drawn key Return
    input "type Bob"
    keys_drawn key Return
    keys_drawn key Tab Right Down space
    keys_drawn key Left Up space
    keys_drawn key Right Right Down Down space
    keys_drawn key Up Up space
}

# Cuts the window from picture $2 into $3: where it differs from $1, the
# screen without it.
crop_window() {
    local box
    box=$(convert "$1" "$2" -compose difference -composite -threshold 2% -trim -format '%wx%h%O' info:)
    convert "$2" -crop "$box" +repage -strip "$3"
    echo "$3: $(identify -format '%w x %h' "$3")"
}

# Ends what a compositor's session started, for the next.
end_session() {
    cleanup
    groups=()
}

step "GNOME: mutter with PipeWire for its screen cast"
start_private_session
export XDG_CURRENT_DESKTOP=GNOME
spawn pipewire >"$work/pipewire.log" 2>&1
wait_for "PipeWire" test -S "$XDG_RUNTIME_DIR/pipewire-0"
spawn wireplumber >"$work/wireplumber.log" 2>&1
start_mutter
start_input /usr/bin/python3 tests/e2e/mutter-input.py
# A screen cast of the monitor, held for as long as the helper runs; it
# writes the PipeWire node of the stream, and one frame of it is taken.
spawn /usr/bin/python3 -c '
import sys
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
def call(path, interface, method, args):
    return bus.call_sync("org.gnome.Mutter.ScreenCast", path, "org.gnome.Mutter.ScreenCast" +
                         interface, method, args, None, Gio.DBusCallFlags.NONE, -1, None).unpack()
session = call("/org/gnome/Mutter/ScreenCast", "", "CreateSession", GLib.Variant("(a{sv})", ({},)))[0]
stream = call(session, ".Session", "RecordMonitor", GLib.Variant("(sa{sv})", ("", {})))[0]
def added(connection, sender, path, interface, signal, args):
    print(args.unpack()[0], flush=True)
bus.signal_subscribe(None, "org.gnome.Mutter.ScreenCast.Stream", "PipeWireStreamAdded", stream,
                     None, Gio.DBusSignalFlags.NONE, added)
call(session, ".Session", "Start", None)
GLib.MainLoop().run()' >"$work/node" 2>"$work/screencast.log"
wait_for "the screen cast" test -s "$work/node"
capture_gnome() {
    gst-launch-1.0 -q pipewiresrc path="$(cat "$work/node")" num-buffers=1 ! videoconvert ! \
        pngenc ! filesink location="$1" >"$work/gst.log" 2>&1
}
capture_gnome "$work/gnome-empty.png"
play_game
capture_gnome "$work/gnome.png"
crop_window "$work/gnome-empty.png" "$work/gnome.png" docs/gnome.png
end_session

step "Plasma: KWin"
start_private_session
export XDG_CURRENT_DESKTOP=KDE
start_kwin
start_input "$build/tests/fakeinput"
# KWin writes the screen, raw, into a pipe it is given; its reply says how.
capture_kwin() {
    /usr/bin/python3 -c '
import os, sys
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
read, write = os.pipe()
fds = Gio.UnixFDList.new_from_array([write])
reply = bus.call_with_unix_fd_list_sync(
    "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2",
    "CaptureActiveScreen", GLib.Variant("(a{sv}h)", ({}, 0)), None,
    Gio.DBusCallFlags.NONE, -1, fds, None)[0].unpack()[0]
for fd in fds.steal_fds():  # the copy the list holds: the pipe ends once KWin closes its own
    os.close(fd)
with os.fdopen(read, "rb") as pipe, open(sys.argv[1], "wb") as out:
    out.write(pipe.read())
# Format 5 is QImage::Format_ARGB32, whose bytes run B, G, R, A.
assert reply["format"] == 5 and reply["stride"] == 4 * reply["width"], reply
print("%dx%d" % (reply["width"], reply["height"]))' "$work/screen.raw" >"$work/screen.size"
    convert -size "$(cat "$work/screen.size")" -depth 8 "bgra:$work/screen.raw" -alpha off "$1"
}
capture_kwin "$work/plasma-empty.png"
play_game
capture_kwin "$work/plasma.png"
crop_window "$work/plasma-empty.png" "$work/plasma.png" docs/plasma.png
end_session
