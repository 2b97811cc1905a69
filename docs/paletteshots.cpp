// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the game window mid-game under a light, a dark and the high-contrast
// palette, for the README:  paletteshots OUTPUT_FOLDER  (writes light.png,
// dark.png and contrast.png).

#include "application.h"
#include "darkpalette.h"
#include "gamewindow.h"
#include "platform/desktopsettings.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

namespace {
// A game played as players play it: F2, the names, clicks on the cells.
QPixmap playedWindow()
{
    GameWindow game;
    if (!game.show())
        return {};
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells({5, 1, 9, 3});
    return game.window.grab();
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    bool saved = playedWindow().save(out.filePath(QStringLiteral("light.png")));
    QApplication::setPalette(darkPalette());
    saved = playedWindow().save(out.filePath(QStringLiteral("dark.png"))) && saved;
    QApplication::setPalette(DesktopSettings::highContrastPalette());
    saved = playedWindow().save(out.filePath(QStringLiteral("contrast.png"))) && saved;
    return saved ? 0 : 1;
}
