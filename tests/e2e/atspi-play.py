#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Plays the running game through the accessibility bus, as assistive
# technology would: menu items and buttons pressed, names typed into the
# boxes, what the window says read back. Where no input devices exist, as in
# a headless compositor, this is the one honest way in.
#
#   atspi-play.py WAIT_SCALE
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

scale = float(sys.argv[1]) if len(sys.argv) > 1 else 1.0


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


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in desktop if a is not None and a.name == "TicTacToe"), None)


def find(root, role, name=None):
    """The first object below root with the role (and name) given."""
    for child in root:
        if child is None:
            continue
        if child.getRoleName() == role and (name is None or child.name == name):
            return child
        found = find(child, role, name)
        if found:
            return found
    return None


def top_level(title):
    return next((w for w in application() if w is not None and w.name == title), None)


def window(title):
    return wait_for("the window " + title, lambda: top_level(title))


def box_saying(text):
    """The open box that says text."""
    dialog = top_level("TicTacToe")
    return dialog if dialog and find(dialog, "label", text) else None


def box(text):
    return wait_for("a box saying " + text, lambda: box_saying(text))


def box_closed(text):
    wait_for("the box saying %s to close" % text, lambda: box_saying(text) is None)


def press(node):
    """Presses the object. A press that opens a box is answered only once
    the box has closed: the press is not waited for, its effect is."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail("%s %r cannot be pressed: %s" % (node.getRoleName(), node.name, names))
    Atspi.set_timeout(int(1000 * scale), -1)
    try:
        action.doAction(names.index("Press"))
    except GLib.GError:
        pass
    finally:
        Atspi.set_timeout(-1, -1)


def menu(item):
    press(wait_for("the menu item " + item, lambda: find(application(), "menu item", item)))


def answer_name(player, name):
    prompt = "Please enter your name, Player %d:" % player
    dialog = box(prompt)
    find(dialog, "text").queryEditableText().setTextContents(name)
    press(find(dialog, "push button", "OK"))
    box_closed(prompt)


def status_is(text):
    wait_for("the status line to read " + text,
             lambda: find(window("Tic Tac Toe"), "label", text))


step("a new game, both names typed into their boxes")
window("Tic Tac Toe")
menu("New Game")
answer_name(1, "Ann")
answer_name(2, "Bob")
status_is("It's Ann's turn.")

def cell(number):
    """Cell 1 to 9, row by row, known by its place in its name or description."""
    row, column = (number - 1) // 3 + 1, (number - 1) % 3 + 1
    place = "row %d, column %d" % (row, column)
    found = next((c for c in all_below(window("Tic Tac Toe"))
                  if c.description == place or c.name.startswith(place)), None)
    return found or fail("no cell at " + place)


def all_below(root):
    for child in root:
        if child is not None:
            yield child
            yield from all_below(child)


step("a game to a win, and Play again? answered No")
for number in (1, 4, 2, 5, 3):
    press(cell(number))
dialog = box("Play again?")
status_is("Ann Won!")
press(find(dialog, "push button", "No"))
box_closed("Play again?")
status_is("Click Menu - New Game or push F2 to get started.")

step("the About and Help windows, opened and closed")
menu("Help")
press(wait_for("Close Help", lambda: find(window("Pelko's Games Help"), "push button",
                                          "Close Help")))
menu("About")
press(wait_for("Close About", lambda: find(window("About Tic Tac Toe"), "push button",
                                           "Close About")))
wait_for("both to close", lambda: not top_level("About Tic Tac Toe")
         and not top_level("Pelko's Games Help"))

step("Exit")
menu("Exit")
