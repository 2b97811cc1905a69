// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures.h"

class QLabel;
class QWidget;

// A picture box of the window designs: the picture at its own size, its top
// left corner given in twips.
QLabel *pictureBox(QWidget *parent, const QString &name, Picture which, int left, int top);
