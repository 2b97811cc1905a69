// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spoken.h"

#include "board.h"
#include "boardfocus.h"
#include "controls/classiclabel.h"

#include <QStringList>

QString withoutAccessKeys(const QString &text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && ++i == text.size())
            break;
        plain += text[i];
    }
    return plain;
}

QString spokenCell(const ClassicLabel *cell)
{
    const QString shown = cell->text().trimmed();
    return shown.isEmpty() ? QStringLiteral("empty") : shown;
}

QString spokenPlace(int index)
{
    return QStringLiteral("row %1, column %2")
        .arg(index / boardSide + 1)
        .arg(index % boardSide + 1);
}

QString spokenMove(const ClassicLabel *cell)
{
    const BoardFocus *board = BoardFocus::boardOf(cell);
    return spokenCell(cell) + QStringLiteral(", ") + spokenPlace(board ? board->indexOf(cell) : 0);
}

QString spokenBoard(const BoardFocus &board)
{
    QStringList rows;
    for (int row = 0; row < boardSide; ++row) {
        QStringList cells;
        for (int column = 0; column < boardSide; ++column)
            cells << spokenCell(board.cell(row * boardSide + column));
        rows << QStringLiteral("row %1: ").arg(row + 1) + cells.join(QStringLiteral(", "));
    }
    return rows.join(QStringLiteral("; "));
}
