// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spoken.h"

#include "board.h"

#include <QtGlobal>

namespace {
// Walks a caption's characters as its "&"s have them: calls shown for each
// character shown, and says which one a single "&" underlines.
template<class Shown>
QChar readCaption(const QString &caption, Shown shown)
{
    QChar underlined;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (++i == caption.size())
                break;
            if (caption[i] != u'&' && underlined.isNull())
                underlined = caption[i];
        }
        shown(caption[i]);
    }
    return underlined;
}
} // namespace

QString withoutAccessKeys(const QString &text)
{
    QString plain;
    readCaption(text, [&plain](QChar c) { plain += c; });
    return plain;
}

QChar accessKeyOf(const QString &caption)
{
    return readCaption(caption, [](QChar) {});
}

QString spokenCell(const QString &caption)
{
    const QString shown = caption.trimmed();
    return shown.isEmpty() ? QStringLiteral("empty") : shown;
}

QString spokenPlace(int index)
{
    Q_ASSERT_X(index >= 0 && index < boardCells, "spokenPlace", "a cell off the board");
    return QStringLiteral("row %1, column %2")
        .arg(index / boardSide + 1)
        .arg(index % boardSide + 1);
}

QString spokenCellName(const QString &caption, int index)
{
    return spokenPlace(index) + QStringLiteral(", ") + spokenCell(caption);
}

QString spokenMove(const QString &caption, int index)
{
    return spokenCell(caption) + QStringLiteral(", ") + spokenPlace(index);
}

QString spokenBoard(const QStringList &captions)
{
    Q_ASSERT(captions.size() == boardCells);
    QStringList rows;
    for (int row = 0; row < boardSide; ++row) {
        QStringList cells;
        for (int column = 0; column < boardSide; ++column)
            cells << spokenCell(captions[row * boardSide + column]);
        rows << QStringLiteral("row %1: ").arg(row + 1) + cells.join(QStringLiteral(", "));
    }
    return rows.join(QStringLiteral("; "));
}
