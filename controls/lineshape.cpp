// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lineshape.h"

#include "twips.h"

#include <QPainter>

LineShape::LineShape(
    QWidget *parent, int x1, int y1, int x2, int y2, int widthPixels, ColorValue color)
    : QWidget(parent)
    , m_color(color)
{
    Q_ASSERT(x1 == x2 || y1 == y2);
    setAttribute(Qt::WA_TransparentForMouseEvents);

    const QPoint from = twipsPoint(qMin(x1, x2), qMin(y1, y2));
    const QPoint to = twipsPoint(qMax(x1, x2), qMax(y1, y2));
    const int before = (widthPixels - 1) / 2;
    if (y1 == y2)
        setGeometry(from.x(), from.y() - before, to.x() - from.x(), widthPixels);
    else
        setGeometry(from.x() - before, from.y(), widthPixels, to.y() - from.y());
}

void LineShape::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), resolveColor(m_color, palette()));
}
