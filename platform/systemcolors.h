// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QtGlobal>

class QPalette;

// A colour as the window designs give it: either a fixed colour 0x00BBGGRR
// (red in the lowest byte) or 0x80000000 + n, the desktop's system colour n.
using ColorValue = quint32;

namespace SystemColor {
constexpr ColorValue ScrollBars = 0x80000000;
constexpr ColorValue WindowText = 0x80000008;
constexpr ColorValue Highlight = 0x8000000D;
constexpr ColorValue ButtonFace = 0x8000000F;
constexpr ColorValue GrayText = 0x80000011;
constexpr ColorValue ButtonText = 0x80000012;
} // namespace SystemColor

namespace FixedColor {
constexpr ColorValue Black = 0x00000000;
constexpr ColorValue Red = 0x000000FF;
constexpr ColorValue White = 0x00FFFFFF;
constexpr ColorValue Gray = 0x00808080;
} // namespace FixedColor

// The colour a value stands for under the given palette; system colours
// follow the palette, so a dark scheme stays readable.
QColor resolveColor(ColorValue value, const QPalette &palette);

// The contrast ratio of two colours, from 1 (alike) to 21 (black on white),
// as readability guidelines measure it.
double contrastRatio(const QColor &a, const QColor &b);

// The text colour, moved towards black or white (whichever stands further
// from the background) just enough to read at the given contrast. A colour
// that already reads well is returned as it is.
QColor readableOn(const QColor &text, const QColor &background, double minimumRatio = 4.5);
