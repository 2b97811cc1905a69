// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemcolors.h"

#include <QPalette>

QColor resolveColor(ColorValue value, const QPalette &palette)
{
    if (!(value & 0x80000000u))
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);

    switch (value) {
    case SystemColor::ScrollBars:
        // Qt has no scroll-bar role. A shade of the button face keeps it
        // apart from the button face on every palette, light or dark.
        return palette.color(QPalette::Active, QPalette::Button).darker(120);
    case SystemColor::WindowText:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case SystemColor::Highlight:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case SystemColor::ButtonFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case SystemColor::GrayText:
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case SystemColor::ButtonText:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    default:
        // A system colour the designs never use: the ordinary text colour.
        return palette.color(QPalette::Active, QPalette::WindowText);
    }
}
