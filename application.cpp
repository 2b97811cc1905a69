// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "access/accessibility.h"
#include "platform/desktopsettings.h"
#include "platform/fonts.h"
#include "version.h"

#include <QApplication>

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("TicTacToe"));
    QApplication::setApplicationVersion(QLatin1String(tictactoeVersion));
    // Lets Wayland shells match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.pelko.tictactoe"));
    QApplication::setFont(designFont(QStringLiteral("MS Sans Serif"), 8));
    installAccessibility();
    DesktopSettings::followHighContrast();
}
