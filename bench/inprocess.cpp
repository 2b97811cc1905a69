// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Times what a player sets off in the game window, from the input to the
// window repainted, on Qt's offscreen platform with scripted boxes.
//
//   bench_inprocess [--iterations N]
//
// Each step is timed on its own, after an untimed set-up that brings the
// window to the state the step needs: a cell takes one mark only, so the
// same click cannot simply be repeated.

#include "application.h"
#include "game/frmtictactoe.h"
#include "scriptedplatform.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <vector>

namespace {

// Notes the top-level windows that received a paint event.
class PaintWatch : public QObject
{
public:
    std::set<QWidget *> painted;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && object->isWidgetType())
            painted.insert(static_cast<QWidget *>(object)->window());
        return false;
    }
};

PaintWatch *paintWatch = nullptr;

// Runs the event loop until the window has been repainted. The paint of all
// that changed happens in one pass, which is over when processEvents() returns.
void waitForPaint(QWidget *window)
{
    QElapsedTimer guard;
    guard.start();
    while (!paintWatch->painted.count(window)) {
        QCoreApplication::processEvents();
        if (guard.elapsed() > 5000) {
            std::fprintf(stderr, "bench_inprocess: %s was not repainted\n",
                qPrintable(window->objectName()));
            std::exit(1);
        }
    }
}

// Brings every pending event and paint to an end, untimed.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    paintWatch->painted.clear();
}

void report(const char *name, std::vector<qint64> nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const std::size_t n = nanoseconds.size();
    const double median =
        n % 2 ? nanoseconds[n / 2] : (nanoseconds[n / 2 - 1] + nanoseconds[n / 2]) / 2.0;
    std::printf("  %-40s median %9.1f   min %9.1f   max %9.1f  (us, %zu runs)\n", name,
        median / 1e3, nanoseconds.front() / 1e3, nanoseconds.back() / 1e3, n);
    std::fflush(stdout);
}

// Times `step` after an untimed `setUp`, over the given number of runs.
void measure(const char *name, int iterations, const std::function<void()> &setUp,
    const std::function<void()> &step)
{
    std::vector<qint64> times;
    for (int i = 0; i < iterations; ++i) {
        setUp();
        settle();
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(timer.nsecsElapsed());
    }
    report(name, times);
}

QWidget *otherTopLevel(const QWidget *main)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget != main && widget->isVisible() && !widget->inherits("QMenu"))
            return widget;
    return nullptr;
}

// Qt's offscreen platform warns of every raise() it cannot do; the game
// raises each window it opens.
void quieterMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(u"This plugin does not support"))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char *argv[])
{
    int iterations = 200;
    for (int i = 1; i + 1 < argc; ++i)
        if (!qstrcmp(argv[i], "--iterations"))
            iterations = std::max(1, std::atoi(argv[i + 1]));

    // The benchmark runs without a display, and keeps its own arguments
    // from QApplication.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quieterMessages);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    setUpApplication();
    PaintWatch watch;
    paintWatch = &watch;
    app.installEventFilter(&watch);

    ScriptedPlatform platform;
    frmTicTacToe window(platform);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fputs("bench_inprocess: the window was not shown\n", stderr);
        return 1;
    }

    const auto cellCentre = [&window](int number) {
        const auto *cell = window.findChild<QWidget *>(QStringLiteral("Label%1").arg(number));
        return cell->mapTo(&window, cell->rect().center());
    };
    const auto click = [&window, &cellCentre](int number) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, cellCentre(number));
    };
    const auto action = [&window](const char *name) {
        return window.findChild<QAction *>(QLatin1String(name));
    };
    // Menu - New Game, its two name boxes answered from the script.
    const auto newGame = [&platform, &action] {
        platform.answer({QStringLiteral("Ann"), QStringLiteral("Bob")});
        action("mnuMenuNewGame")->trigger();
    };

    std::printf("In-process, offscreen, %d runs of each step:\n", iterations);
    measure("click on a cell, repainted", iterations, newGame, [&] {
        click(5);
        waitForPaint(&window);
    });
    measure(
        "New Game with two names, repainted", iterations, [&] { window.Form_Load(); },
        [&] {
            newGame();
            waitForPaint(&window);
        });
    measure(
        "winning move, Design, PlayAgain (No)", iterations,
        [&] {
            newGame();
            for (int number : {1, 4, 2, 5})
                click(number);
            platform.answerMessage(Platform::No);
        },
        [&] {
            click(3);
            waitForPaint(&window);
        });

    // The About and Help windows, each opened afresh.
    for (const char *name : {"mnuMenuAbout", "mnuMenuHelp"}) {
        QAction *item = action(name);
        const auto closeOthers = [&window] {
            if (QWidget *other = otherTopLevel(&window))
                other->close();
            if (otherTopLevel(&window)) {
                std::fputs("bench_inprocess: a window does not close\n", stderr);
                std::exit(1);
            }
        };
        closeOthers();
        settle();
        const QString label = QString::fromLatin1(name + 7) + QStringLiteral(" window opened");
        measure(qPrintable(label), iterations, closeOthers, [&] {
            item->trigger();
            QWidget *opened = otherTopLevel(&window);
            if (!opened) {
                std::fputs("bench_inprocess: the window did not open\n", stderr);
                std::exit(1);
            }
            waitForPaint(opened);
        });
        closeOthers();
    }
    return 0;
}
