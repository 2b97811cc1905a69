#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A keyboard on mutter, as its remote desktop offers one: one session held
# for as long as this runs (mutter ends it when its caller leaves the bus).
# Reads commands from the file given, one a line, and prints "ready" once
# the keyboard is there and "done" after each command:
#
#   key KEY...      presses each key in turn, as xdotool names them; a
#                   "+" joins keys held together (ctrl+a)
#   type TEXT       types the letters of TEXT
import sys

from gi.repository import Gio, GLib

# Evdev codes: mutter's virtual keyboard takes these, not key symbols.
CODES = {"shift": 42, "ctrl": 29, "alt": 56, "F2": 60, "Return": 28, "Tab": 15,
         "space": 57, "Up": 103, "Down": 108, "Left": 105, "Right": 106}
for row, first in (("qwertyuiop", 16), ("asdfghjkl", 30), ("zxcvbnm", 44)):
    CODES.update((letter, first + i) for i, letter in enumerate(row))

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(path, interface, method, args=None):
    return bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, interface, method, args,
                         None, Gio.DBusCallFlags.NONE, -1, None)


session = call("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
               "CreateSession").unpack()[0]


def key(code, pressed):
    call(session, "org.gnome.Mutter.RemoteDesktop.Session", "NotifyKeyboardKeycode",
         GLib.Variant("(ub)", (code, pressed)))


def keys(held):
    codes = [CODES[k] for k in held]
    for code in codes:
        key(code, True)
    for code in reversed(codes):
        key(code, False)


call(session, "org.gnome.Mutter.RemoteDesktop.Session", "Start")
# The first key goes while mutter makes its virtual keyboard: a Shift.
keys(["shift"])
print("ready", flush=True)
for line in open(sys.argv[1]):
    command, _, rest = line.rstrip("\n").partition(" ")
    if command == "key":
        for combination in rest.split():
            keys(combination.split("+"))
    elif command == "type":
        for letter in rest:
            keys(["shift", letter.lower()] if letter.isupper() else [letter])
    else:
        sys.exit("unknown command: " + line)
    print("done", flush=True)
