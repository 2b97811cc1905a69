// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// The fonts the window designs name, as the faces this program installs for
// them.

// The font a window design names, at its size in points. Sizes become
// pixels at 96 dpi, so the windows look the same on every screen and scale
// with the desktop's scale factor.
QFont designFont(const QString &face, qreal points);

// The default font of the About and Help windows: the default face at the
// size their fixed layouts hold every text in.
QFont dialogFont();
