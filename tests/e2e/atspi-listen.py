#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Writes what the accessibility bus carries about the game, one line per
# event, as a screen reader receives it: "focus ROLE: NAME" when an object
# takes the focus, "shown ROLE: NAME" when an object appears. Prints
# "ready" once it listens.
import sys

import pyatspi

out = open(sys.argv[1], "a", buffering=1)


def name_of(source):
    try:
        return "%s: %s" % (source.getRoleName(), source.name)
    except Exception:  # gone before it was asked
        return None


def on_event(event):
    if not event.detail1:
        return
    what = "focus" if event.type.endswith("focused") else "shown"
    described = name_of(event.source)
    if described:
        out.write("%s %s\n" % (what, described))


pyatspi.Registry.registerEventListener(
    on_event, "object:state-changed:focused", "object:state-changed:showing")
print("ready", flush=True)
pyatspi.Registry.start()
