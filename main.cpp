// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmtictactoe.h"
#include "platform/desktoplook.h"
#include "platform/platform.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
QtMessageHandler qtHandler = nullptr;

// Qt aborts with a long hint when it cannot reach a display. Until the
// application stands, a fatal message becomes one clear line and status 1.
void startupMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg)
        return; // the reason follows in the fatal message itself
    std::fprintf(stderr, "tictactoe: cannot show the game: no usable display (%s)\n",
        qUtf8Printable(message.section(QLatin1Char('\n'), 0, 0)));
    std::fflush(stderr);
    std::_Exit(1);
}
} // namespace

int main(int argc, char *argv[])
{
    qtHandler = qInstallMessageHandler(startupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);

    QApplication::setApplicationName(QStringLiteral("TicTacToe"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    applyDesktopLook();

    QtPlatform platform;
    frmTicTacToe window(platform);
    window.show();
    return app.exec();
}
