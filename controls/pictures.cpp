// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include <QGuiApplication>

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
    const qreal ratio = qGuiApp->devicePixelRatio();
    if (ratio <= 1.0)
        return QPixmap(baseName(which) + QStringLiteral(".png"));
    // The large variant where the screen scales, marked so that it still
    // takes 32 x 32 logical pixels. On a screen scaled by a fraction it is
    // resampled once, here, to the screen's own pixels: painted at any other
    // size it would be resampled at each paint, and blurred or uneven.
    QPixmap large(baseName(which) + QStringLiteral("@2x.png"));
    const QSize onScreen = (QSizeF(32, 32) * ratio).toSize();
    if (large.size() != onScreen)
        large = large.scaled(onScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    large.setDevicePixelRatio(ratio);
    return large;
}

QIcon pictureIcon(Picture which)
{
    QIcon icon;
    icon.addFile(baseName(which) + QStringLiteral(".png"), QSize(32, 32));
    icon.addFile(baseName(which) + QStringLiteral("@2x.png"), QSize(64, 64));
    return icon;
}

QCursor clickHereCursor()
{
    return QCursor(picture(Picture::ClickHere), 0, 0);
}
