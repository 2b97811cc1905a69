// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

// Window designs are measured in twips (1/1440 inch); at 96 dpi 15 of them
// make one pixel. Qt scales these logical pixels for HiDPI screens itself.
constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    // To the nearest pixel, alike on either side of the origin. Fifteen is
    // odd, so no whole number of twips lies halfway between two pixels.
    return twips >= 0 ? (twips + twipsPerPixel / 2) / twipsPerPixel
                      : -((-twips + twipsPerPixel / 2) / twipsPerPixel);
}

// Converts the edges rather than the size, so that neighbours that touch in
// twips still touch in pixels.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return QRect(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
}

constexpr QPoint twipsPoint(int x, int y)
{
    return QPoint(twipsToPixels(x), twipsToPixels(y));
}
