// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmtictactoe.h"
#include "platform/desktoplook.h"
#include "platform/platform.h"
#include "version.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {
QtMessageHandler qtHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

// Qt aborts with a long hint when it cannot reach a display. Until the
// application stands, a fatal message becomes one clear line and status 1;
// the others are held, and passed on once it stands.
void startupMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages.emplace_back(type, message);
        return;
    }
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        std::fputs("tictactoe: no display to show the game on (DISPLAY is not set)\n", stderr);
    else
        std::fprintf(stderr, "tictactoe: cannot open the display %s to show the game on\n",
            display.constData());
    std::fflush(stderr);
    std::_Exit(1);
}

void passOnHeldMessages()
{
    qInstallMessageHandler(qtHandler);
    for (const auto &[type, message] : heldMessages) {
        const QMessageLogContext context;
        if (qtHandler)
            qtHandler(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
    heldMessages.clear();
}
} // namespace

int main(int argc, char *argv[])
{
    qtHandler = qInstallMessageHandler(startupMessage);
    QApplication app(argc, argv);
    passOnHeldMessages();

    QApplication::setApplicationName(QStringLiteral("TicTacToe"));
    QApplication::setApplicationVersion(QLatin1String(tictactoeVersion));
    // Lets Wayland shells match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.pelko.tictactoe"));
    applyDesktopLook();

    QtPlatform platform;
    frmTicTacToe window(platform);
    window.show();
    return app.exec();
}
