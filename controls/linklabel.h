// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classiclabel.h"

// A label that is a link: the highlight colour, the click-here pointer, and
// reachable with Tab, where Space or Enter clicks it. Assistive tools see a
// link named by its caption, the address it shows.
class LinkLabel : public ClassicLabel
{
    Q_OBJECT

public:
    LinkLabel(QWidget *parent, const QString &name, const QRect &geometry, const QString &text);
};
