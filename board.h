// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The board's shape, which the game, the keyboard and the speech share: a
// square three cells a side, its cells numbered row by row from the top
// left.
inline constexpr int boardSide = 3;
inline constexpr int boardCells = boardSide * boardSide;
