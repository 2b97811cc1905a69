// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Sets the application up as the game runs, before any window is made: its
// names, the designs' default font, so that menus and boxes look the same
// whatever fonts happen to be installed, what assistive tools are told,
// and the desktop's high contrast where it asks for it. The program and its
// tests set themselves up alike.
void setUpApplication();
