// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "linklabel.h"

#include "pictures.h"

LinkLabel::LinkLabel(
    QWidget *parent, const QString &name, const QRect &geometry, const QString &text)
    : ClassicLabel(parent, name, geometry, text)
{
    setForeColor(SystemColor::Highlight);
    setCursor(clickHereCursor());
    setFocusPolicy(Qt::TabFocus);
}
