// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemcolors.h"

#include <QList>
#include <QStringList>

// What the window is expected to show, kept once for every test: the
// status line's texts, the cat's face and the decorated board.

inline const QString startText = QStringLiteral("Click Menu - New Game or push F2 to get started.");
inline const QString catText = QStringLiteral("               The Cat Won!");

inline QString turnOf(const QString &name)
{
    return QStringLiteral("It's %1's turn.").arg(name);
}

// The nine captions of the cat's face, row by row.
inline const QStringList catFace = {QStringLiteral(" 0"), QString(), QStringLiteral(" 0"),
    QString(), QStringLiteral(" D"), QString(), QStringLiteral("   \\"), QStringLiteral("___"),
    QStringLiteral("/")};

// The back colours of the nine cells, row by row: as created, decorated for
// a win, and once the decoration is taken off.
inline const QList<ColorValue> freshColors(9, SystemColor::ButtonFace);
inline const QList<ColorValue> decoratedColors = {FixedColor::Red, FixedColor::White,
    FixedColor::Red, FixedColor::White, SystemColor::ButtonFace, FixedColor::White, FixedColor::Red,
    FixedColor::White, FixedColor::Red};
inline const QList<ColorValue> clearedColors(9, SystemColor::ScrollBars);
