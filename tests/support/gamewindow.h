// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/classiclabel.h"
#include "controls/lineshape.h"
#include "expectedboard.h"
#include "game/frmtictactoe.h"
#include "scriptedplatform.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QTest>

// The main window on scripted boxes, reached the way a player reaches it:
// clicks at window coordinates and keys on the active window.
class GameWindow
{
public:
    GameWindow()
        : window(platform)
    {}

    // Shows the window and makes it active, as keys need it to be.
    bool show()
    {
        window.show();
        return activate();
    }
    bool activate()
    {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    template<class T = ClassicLabel>
    T *control(const QString &name) const
    {
        return window.findChild<T *>(name);
    }
    ClassicLabel *cell(int number) const { return control(QStringLiteral("Label%1").arg(number)); }
    ClassicLabel *message() const { return control(QStringLiteral("lblMessage")); }
    ClassicLabel *ears() const { return control(QStringLiteral("lblEars")); }
    ClassicLabel *hiddenLabel() const { return control(QStringLiteral("Label10")); }
    QLabel *winPicture() const { return control<QLabel>(QStringLiteral("Image1")); }
    LineShape *line(int number) const
    {
        return control<LineShape>(QStringLiteral("Line%1").arg(number));
    }
    QAction *action(const char *name) const
    {
        return window.findChild<QAction *>(QLatin1String(name));
    }

    QString status() const { return message()->text(); }

    // The nine captions, row by row.
    QStringList board() const
    {
        QStringList captions;
        for (int n = 1; n <= 9; ++n)
            captions << cell(n)->text();
        return captions;
    }
    QList<bool> enabledCells() const
    {
        QList<bool> flags;
        for (int n = 1; n <= 9; ++n)
            flags << cell(n)->isEnabled();
        return flags;
    }
    bool gridShown() const
    {
        return line(1)->isVisible() && line(2)->isVisible() && line(3)->isVisible() &&
            line(4)->isVisible();
    }

    // A point of the client area (below the menu bar) in window coordinates.
    QPoint toWindow(QPoint client) const { return window.centralWidget()->mapTo(&window, client); }

    // A real left click at a point of the client area, delivered to the
    // window so that it reaches the topmost control there.
    void clickAt(QPoint client)
    {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, toWindow(client));
    }
    void clickCell(int number) { clickAt(cell(number)->geometry().center()); }
    void clickCells(const QList<int> &numbers)
    {
        for (int number : numbers)
            clickCell(number);
    }

    // What an assistive tool's press does to a control: queued, as with
    // Qt's own buttons, so it acts once events are processed.
    static void press(QWidget *control)
    {
        QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    }

    // F2 with the names answered from the script.
    void newGame(const QString &player1 = QStringLiteral("Player 1"),
        const QString &player2 = QStringLiteral("Player 2"))
    {
        platform.answer({player1, player2});
        QTest::keyClick(&window, Qt::Key_F2);
    }

    ScriptedPlatform platform;
    frmTicTacToe window;
};
