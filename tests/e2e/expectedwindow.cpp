// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Compares a screenshot of the running game with the client area that a
// given board and status line should look like, drawn by the same controls
// on the same display. The expected state is set on the controls directly,
// not played, so the game's own procedures are what the comparison checks.
//
//   e2e_expect SHOT.png --status TEXT --cells OX.O..... [--cat] [--decorated]
//
// Exits 0 on a match; otherwise writes SHOT-expected.png beside the shot and
// exits 1.

#include "application.h"
#include "controls/classiclabel.h"
#include "controls/lineshape.h"
#include "expectedboard.h"
#include "game/frmtictactoe.h"
#include "platform/systemcolors.h"
#include "scriptedplatform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QLabel>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();

    QCommandLineParser parser;
    parser.addPositionalArgument(
        QStringLiteral("shot"), QStringLiteral("screenshot of the window"));
    const QCommandLineOption status(
        QStringLiteral("status"), QStringLiteral("status line"), QStringLiteral("text"));
    const QCommandLineOption cells(QStringLiteral("cells"),
        QStringLiteral("nine of O, X or . row by row"), QStringLiteral("marks"),
        QStringLiteral("........."));
    const QCommandLineOption cat(QStringLiteral("cat"), QStringLiteral("the cat's face"));
    const QCommandLineOption decorated(QStringLiteral("decorated"), QStringLiteral("a won board"));
    const QCommandLineOption cleared(
        QStringLiteral("cleared"), QStringLiteral("cells in the window's colour"));
    parser.addOptions({status, cells, cat, decorated, cleared});
    parser.process(app);
    if (parser.positionalArguments().size() != 1 || parser.value(cells).size() != 9) {
        std::fputs("usage: e2e_expect SHOT.png --status TEXT --cells OX.O.....\n", stderr);
        return 2;
    }

    ScriptedPlatform platform;
    frmTicTacToe window(platform);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show(); // lays the window out at its designed size
    const auto cell = [&](int n) {
        return window.findChild<ClassicLabel *>(QStringLiteral("Label%1").arg(n));
    };
    const QString marks = parser.value(cells);
    for (int n = 1; n <= 9; ++n) {
        const QChar mark = marks[n - 1];
        cell(n)->setText(mark == u'.' ? QString() : QStringLiteral(" ") + mark);
    }
    window.findChild<ClassicLabel *>(QStringLiteral("lblMessage"))->setText(parser.value(status));
    if (parser.isSet(cat)) {
        for (int n = 1; n <= 9; ++n)
            cell(n)->setText(catFace[n - 1]);
        for (int n = 1; n <= 4; ++n)
            window.findChild<LineShape *>(QStringLiteral("Line%1").arg(n))->hide();
        window.findChild<ClassicLabel *>(QStringLiteral("lblEars"))->show();
    }
    if (parser.isSet(decorated)) {
        for (int n = 1; n <= 9; ++n)
            cell(n)->setBackColor(decoratedColors[n - 1]);
        window.findChild<QLabel *>(QStringLiteral("Image1"))->show();
    }
    if (parser.isSet(cleared)) {
        for (int n = 1; n <= 9; ++n)
            cell(n)->setBackColor(clearedColors[n - 1]);
    }

    const QImage expected =
        window.centralWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString shotName = parser.positionalArguments().constFirst();
    QImage shot(shotName);
    if (shot.isNull()) {
        std::fprintf(stderr, "e2e_expect: cannot read %s\n", qUtf8Printable(shotName));
        return 2;
    }
    // The client area is the bottom of the window, below the menu bar.
    shot = shot.copy(0, shot.height() - expected.height(), expected.width(), expected.height())
               .convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            differing += shot.pixel(x, y) != expected.pixel(x, y);
    if (differing == 0)
        return 0;
    QString expectedName = shotName;
    expectedName.replace(QStringLiteral(".png"), QStringLiteral("-expected.png"));
    expected.save(expectedName);
    std::fprintf(
        stderr, "e2e_expect: %d pixels differ from %s\n", differing, qUtf8Printable(expectedName));
    return 1;
}
