// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The floor the game's start-up is measured against: the least a Qt Widgets
// window of the game's shape costs. A main window with a client area of
// 249 x 231 pixels under a menu bar with one menu of four items, and twelve
// labels; nothing else.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QMainWindow window;
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("&Menu"));
    for (const char *item : {"New Game", "Help", "&About", "E&xit"})
        menu->addAction(QString::fromLatin1(item));

    auto *client = new QWidget(&window);
    window.setCentralWidget(client);
    // A status line with text, so that the floor draws text in its client
    // area as the game does, then nine cells and two more labels.
    auto *status =
        new QLabel(QStringLiteral("Click Menu - New Game or push F2 to get started."), client);
    status->setGeometry(40, 0, 169, 33);
    for (int i = 0; i < 11; ++i) {
        auto *label = new QLabel(client);
        label->setGeometry(40 + 57 * (i % 3), 56 + 57 * (i / 3 % 3), 57, 57);
    }

    window.resize(249, 231 + window.menuBar()->sizeHint().height());
    window.show();
    return app.exec();
}
