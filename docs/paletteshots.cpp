// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the game window mid-game under a light and a dark palette, for the
// README:  paletteshots OUTPUT_FOLDER  (writes light.png and dark.png).

#include "application.h"
#include "darkpalette.h"
#include "game/frmtictactoe.h"
#include "scriptedplatform.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

namespace {
QPixmap playedWindow()
{
    ScriptedPlatform platform;
    platform.answer({QStringLiteral("Ann"), QStringLiteral("Bob")});
    frmTicTacToe window(platform);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    window.mnuMenuNewGame_Click();
    window.Label5_Click();
    window.Label1_Click();
    window.Label9_Click();
    window.Label3_Click();
    return window.grab();
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
    return saved ? 0 : 1;
}
