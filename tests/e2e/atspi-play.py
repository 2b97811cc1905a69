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

import pyatspi

import atspi
from atspi import fail, find, press, step, wait_for

atspi.scale = float(sys.argv[1]) if len(sys.argv) > 1 else 1.0


def application():
    return atspi.application("TicTacToe")


def top_level(title):
    return next((w for w in application() if w is not None and w.name == title), None)


def window(title):
    return wait_for("the window " + title, lambda: top_level(title))


def box_saying(text):
    """The open box that says text."""
    dialog = top_level("TicTacToe")
    return dialog if dialog and find(dialog, pyatspi.ROLE_LABEL, text) else None


def box(text):
    return wait_for("a box saying " + text, lambda: box_saying(text))


def box_closed(text):
    wait_for("the box saying %s to close" % text, lambda: box_saying(text) is None)


def menu(item):
    press(wait_for("the menu item " + item,
                   lambda: find(application(), pyatspi.ROLE_MENU_ITEM, item)))


def answer_name(player, name):
    prompt = "Please enter your name, Player %d:" % player
    dialog = box(prompt)
    find(dialog, pyatspi.ROLE_TEXT).queryEditableText().setTextContents(name)
    press(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    box_closed(prompt)


def status_is(text):
    wait_for("the status line to read " + text,
             lambda: find(window("Tic Tac Toe"), pyatspi.ROLE_LABEL, text))


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
    found = next((c for c in atspi.all_below(window("Tic Tac Toe"))
                  if c.description == place or c.name.startswith(place)), None)
    return found or fail("no cell at " + place)


step("a game to a win, and Play again? answered No")
for number in (1, 4, 2, 5, 3):
    press(cell(number))
dialog = box("Play again?")
status_is("Ann Won!")
press(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "No"))
box_closed("Play again?")
status_is("Click Menu - New Game or push F2 to get started.")

step("the About and Help windows, opened and closed")
menu("Help")
press(wait_for("Close Help", lambda: find(window("Pelko's Games Help"),
                                          pyatspi.ROLE_PUSH_BUTTON, "Close Help")))
menu("About")
press(wait_for("Close About", lambda: find(window("About Tic Tac Toe"),
                                           pyatspi.ROLE_PUSH_BUTTON, "Close About")))
wait_for("both to close", lambda: not top_level("About Tic Tac Toe")
         and not top_level("Pelko's Games Help"))

step("Exit")
menu("Exit")
