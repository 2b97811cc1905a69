// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What a screen reader hears of the board, said in one place, from plain
// values: a cell's caption, its index (the cell's number less one), the
// nine captions.

// A caption as said aloud: "&&" is one "&", a single "&" only underlines
// the next character.
QString withoutAccessKeys(const QString &text);

// The character that a caption's single "&" underlines, or a null QChar.
QChar accessKeyOf(const QString &caption);

// What a cell shows: its mark, or "empty".
QString spokenCell(const QString &caption);

// A cell's place: "row 1, column 2". An index off the board is a
// programming error.
QString spokenPlace(int index);

// A cell as a screen reader names it, its place and what it shows:
// "row 1, column 2, O".
QString spokenCellName(const QString &caption, int index);

// A move, its mark and place: "X, row 1, column 1".
QString spokenMove(const QString &caption, int index);

// The whole board in reading order, row by row: "row 1: X, empty, empty;
// row 2: ...; row 3: ...".
QString spokenBoard(const QStringList &captions);
