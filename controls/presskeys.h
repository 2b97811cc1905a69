// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeyEvent>

// Space, Return and Enter: the keys that press what has the focus, a
// label's or the board's alike.
inline bool isPressKey(const QKeyEvent *event)
{
    const int key = event->key();
    return (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier);
}
