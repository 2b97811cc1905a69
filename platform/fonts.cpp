// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

namespace {
// "Arial" and "MS Sans Serif" are both matched in metrics by Liberation Sans,
// which the program depends on; naming it outright keeps the look from
// changing with whatever other faces a machine has.
QString installedFace(const QString &face)
{
    if (face == u"Arial" || face == u"MS Sans Serif")
        return QStringLiteral("Liberation Sans");
    return face;
}
} // namespace

QFont designFont(const QString &face, qreal points)
{
    QFont font(installedFace(face));
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont dialogFont()
{
    return designFont(QStringLiteral("MS Sans Serif"), 7.5);
}
