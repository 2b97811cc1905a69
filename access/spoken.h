// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class BoardFocus;
class ClassicLabel;

// What a screen reader hears of the board, said in one place: a cell, a
// move, the whole board.

// A caption as said aloud: "&&" is one "&", a single "&" only underlines
// the next character.
QString withoutAccessKeys(const QString &text);

// What a cell shows: its mark, or "empty".
QString spokenCell(const ClassicLabel *cell);

// A cell's place by its index, the cell's number less one: "row 1, column 2".
QString spokenPlace(int index);

// A move, its mark and place: "X, row 1, column 1".
QString spokenMove(const ClassicLabel *cell);

// The whole board in reading order, row by row: "row 1: X, empty, empty;
// row 2: ...; row 3: ...".
QString spokenBoard(const BoardFocus &board);
