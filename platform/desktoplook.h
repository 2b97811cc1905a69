// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// The font a window design names, at its size in points, as the face this
// program installs for it. Sizes become pixels at 96 dpi, so the windows
// look the same on every screen and scale with the desktop's scale factor.
QFont designFont(const QString &face, qreal points);

// The default font of the About and Help windows: the default face at the
// size their fixed layouts hold every text in.
QFont dialogFont();

// Sets the application up as the game runs, before any window is made: its
// names, the designs' default font, so that menus and boxes look the same
// whatever fonts happen to be installed, and what assistive tools are
// told. The program and its tests set themselves up alike.
void setUpApplication();
