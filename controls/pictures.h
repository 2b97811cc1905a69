// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The artwork shared by the windows, each 32 x 32 with transparency and a
// 64 x 64 variant for screens scaled by two or more.
enum class Picture { Grid, Monogram, Help, ClickHere };

QPixmap picture(Picture which);
QIcon pictureIcon(Picture which);

// The pointer over the hidden label and the links.
QCursor clickHereCursor();
