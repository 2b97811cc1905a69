// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Playing without a mouse or without sight: the keyboard on the board
// (boardfocus.h), what a screen reader hears (spoken.h, announcement.h), and
// here what assistive tools are told beyond Qt's defaults, all in
// accessibility.cpp: the program's own windows beside the game are windows,
// a link label is a link, a board cell a button named by its place and
// mark, and an announcement a notification. The presses they offer on
// cells, links, the windows' buttons and the menu's items act as a click
// would, afterwards, and only where it could.

// Installed once as the application is set up, before any widget is asked
// about: Qt keeps the first description it finds for an object.
void installAccessibility();
