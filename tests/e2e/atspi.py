#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The accessibility bus as the end-to-end tests meet it: objects found by
# role constant and name (the role's display name differs between releases
# of at-spi2-core), waits, presses, and a listener. As a command:
#
#   atspi.py running APP        exits 0 once APP is on the bus
#   atspi.py listen FILE        appends what a screen reader would be told
#                               to FILE, one line per event; prints "ready"
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

scale = 1.0


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def step(message):
    print("-- " + message, flush=True)


def wait_for(what, probe):
    """Polls probe until it returns something, for ten seconds times the scale."""
    deadline = time.monotonic() + 10 * scale
    while time.monotonic() < deadline:
        try:
            found = probe()
        except Exception:  # objects vanish as windows close
            found = None
        if found:
            return found
        time.sleep(0.02)
    fail("timed out waiting for " + what)


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in desktop if a is not None and a.name == name), None)


def all_below(root):
    for child in root:
        if child is not None:
            yield child
            yield from all_below(child)


def find(root, role, name=None):
    """The first object below root with the role (and name) given."""
    return next((o for o in all_below(root)
                 if o.getRole() == role and (name is None or o.name == name)), None)


# The roles the tests meet, spelt as at-spi2-core 2.46 did; newer releases
# call a push button a "button", in its display name and its enum alike.
ROLE_NAMES = {
    pyatspi.ROLE_PUSH_BUTTON: "push button",
    pyatspi.ROLE_PANEL: "panel",
    pyatspi.ROLE_TEXT: "text",
    pyatspi.ROLE_LINK: "link",
}


def describe(source):
    """An object as the tests spell it, the same on every release:
    "push button: Yes"."""
    role = source.getRole()
    return "%s: %s" % (ROLE_NAMES.get(role, "role %d" % role), source.name)


def press(node):
    """Presses the object. A press that opens a box is answered only once
    the box has closed: the press is not waited for, its effect is."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail("%s cannot be pressed: %s" % (describe(node), names))
    Atspi.set_timeout(int(1000 * scale), -1)
    try:
        action.doAction(names.index("Press"))
    except GLib.GError:
        pass
    finally:
        Atspi.set_timeout(-1, -1)


def listen(path):
    """Writes "focus ROLE: NAME" as an object takes the focus, and "said:
    TEXT" for each message meant to be spoken: a notification shown, or an
    announcement."""
    out = open(path, "a", buffering=1)

    def on_event(event):
        try:
            if event.type == "object:announcement":
                out.write("said: %s\n" % event.any_data)
            elif not event.detail1:
                pass
            elif event.type.endswith("focused"):
                out.write("focus %s\n" % describe(event.source))
            elif event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
                out.write("said: %s\n" % event.source.name)
        except Exception:  # gone before it was asked
            pass

    pyatspi.Registry.registerEventListener(
        on_event, "object:state-changed:focused", "object:state-changed:showing",
        "object:announcement")
    print("ready", flush=True)
    pyatspi.Registry.start()


if __name__ == "__main__":
    if sys.argv[1:2] == ["running"]:
        sys.exit(application(sys.argv[2]) is None)
    if sys.argv[1:2] == ["listen"]:
        listen(sys.argv[2])
    fail("usage: atspi.py running APP | listen FILE")
