// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemcolors.h"

#include <QPalette>

#include <cmath>

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

namespace {
double luminance(const QColor &color)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
        0.0722 * channel(color.blueF());
}
} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor readableOn(const QColor &text, const QColor &background, double minimumRatio)
{
    if (contrastRatio(text, background) >= minimumRatio)
        return text;
    const QColor target =
        contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background)
        ? QColor(Qt::black)
        : QColor(Qt::white);
    // Step towards the target until the text reads; the target itself
    // always gives the best contrast there is.
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed = QColor::fromRgbF(text.redF() + (target.redF() - text.redF()) * t,
            text.greenF() + (target.greenF() - text.greenF()) * t,
            text.blueF() + (target.blueF() - text.blueF()) * t);
        if (contrastRatio(mixed, background) >= minimumRatio)
            return mixed;
    }
    return target;
}
