// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturebox.h"

#include "twips.h"

#include <QLabel>

QLabel *pictureBox(QWidget *parent, const QString &name, Picture which, int left, int top)
{
    auto *box = new QLabel(parent);
    box->setObjectName(name);
    box->setPixmap(picture(which));
    box->setGeometry(QRect(twipsPoint(left, top), QSize(32, 32)));
    return box;
}
