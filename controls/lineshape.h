// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemcolors.h"

#include <QWidget>

// A straight horizontal or vertical line of the window designs, drawn
// centred on its end points in twips. The first point is covered, the last
// is not. Clicks pass through it to whatever lies below.
class LineShape : public QWidget
{
    Q_OBJECT

public:
    LineShape(QWidget *parent, int x1, int y1, int x2, int y2, int widthPixels, ColorValue color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ColorValue m_color;
};
