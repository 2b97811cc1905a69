// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include "twips.h"

#include <QGuiApplication>
#include <QLabel>

namespace {
QString baseName(Picture which)
{
    switch (which) {
    case Picture::Grid:
        return QStringLiteral(":/pictures/grid");
    case Picture::Monogram:
        return QStringLiteral(":/pictures/monogram");
    case Picture::Help:
        return QStringLiteral(":/pictures/help");
    case Picture::ClickHere:
        return QStringLiteral(":/pictures/clickhere");
    }
    Q_UNREACHABLE();
}
} // namespace

QPixmap picture(Picture which)
{
    // The large variant where the screen scales, marked so that it still
    // takes 32 x 32 logical pixels.
    if (qGuiApp->devicePixelRatio() > 1.0) {
        QPixmap large(baseName(which) + QStringLiteral("@2x.png"));
        large.setDevicePixelRatio(2.0);
        return large;
    }
    return QPixmap(baseName(which) + QStringLiteral(".png"));
}

QIcon pictureIcon(Picture which)
{
    QIcon icon;
    icon.addFile(baseName(which) + QStringLiteral(".png"), QSize(32, 32));
    icon.addFile(baseName(which) + QStringLiteral("@2x.png"), QSize(64, 64));
    return icon;
}

QLabel *pictureBox(QWidget *parent, const QString &name, Picture which, int left, int top)
{
    auto *box = new QLabel(parent);
    box->setObjectName(name);
    box->setPixmap(picture(which));
    box->setGeometry(QRect(twipsPoint(left, top), QSize(32, 32)));
    return box;
}

QCursor clickHereCursor()
{
    return QCursor(picture(Picture::ClickHere), 0, 0);
}
