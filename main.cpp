// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "game/frmtictactoe.h"
#include "platform/desktopsettings.h"
#include "platform/qtplatform.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
QtMessageHandler qtHandler = nullptr;
struct HeldMessage
{
    QtMsgType type;
    QString category;
    QString text;
};
std::vector<HeldMessage> heldMessages;

QString firstLine(const QString &text)
{
    return text.section(QLatin1Char('\n'), 0, 0);
}

// Why the application could not stand, in one line: that the display could
// not be opened where the platform plugin said so, and otherwise what Qt
// said, its platform plugin's own words before its general advice.
QString startupFailure(const QString &fatal)
{
    QString cause = firstLine(fatal);
    for (const HeldMessage &held : heldMessages) {
        if (held.text.startsWith(u"could not connect to display")) {
            const QString display = qEnvironmentVariable("DISPLAY");
            if (display.isEmpty())
                return QStringLiteral("no display to show the game on (DISPLAY is not set)");
            return QStringLiteral("cannot open the display %1 to show the game on").arg(display);
        }
        if (held.text.startsWith(u"Failed to create wl_display")) {
            const QString display =
                qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
            return QStringLiteral("cannot open the Wayland display %1 to show the game on")
                .arg(display);
        }
        if (held.category.startsWith(u"qt.qpa") &&
            (held.type == QtWarningMsg || held.type == QtCriticalMsg))
            cause = firstLine(held.text);
    }
    return cause;
}

// Qt aborts with a long hint when it cannot start. Until the application
// stands, a fatal message becomes one clear line and status 1; the others
// are held, and passed on once it stands.
void startupMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, QString::fromLatin1(context.category), message});
        return;
    }
    std::fprintf(stderr, "tictactoe: %s\n", startupFailure(message).toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

void passOnHeldMessages()
{
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage &held : heldMessages) {
        const QMessageLogContext context;
        if (qtHandler)
            qtHandler(held.type, context, held.text);
        else
            std::fprintf(
                stderr, "%s\n", qPrintable(qFormatLogMessage(held.type, context, held.text)));
    }
    heldMessages.clear();
}
} // namespace

int main(int argc, char *argv[])
{
    DesktopSettings::followTextScaling(argc, argv);
    qtHandler = qInstallMessageHandler(startupMessage);
    QApplication app(argc, argv);
    passOnHeldMessages();

    setUpApplication();

    QtPlatform platform;
    frmTicTacToe window(platform);
    window.show();
    return app.exec();
}
