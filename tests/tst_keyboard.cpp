// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Playing without a mouse: Tab onto the board, the arrow keys over it, Space
// and Enter as a click; the focus mark after keyboard use only; the Help
// window's links by keyboard; and what assistive tools are told.

#include "application.h"
#include "darkpalette.h"
#include "gamewindow.h"
#include "heardannouncements.h"
#include "info/frmabout.h"
#include "info/frmhelp.h"
#include "modalboxes.h"
#include "platform/systemcolors.h"

#include <QAccessible>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {
// The cells that show the focus mark, by number.
QList<int> markedCells(const GameWindow &game)
{
    QList<int> numbers;
    for (int n = 1; n <= 9; ++n) {
        if (game.cell(n)->hasFocusMark())
            numbers << n;
    }
    return numbers;
}

void press(GameWindow &game, Qt::Key key)
{
    QTest::keyClick(game.window.windowHandle(), key);
}

// The mark's colour against the cell's, where the mark crosses the middle
// of the cell's top edge.
double markContrast(GameWindow &game, int number)
{
    const QImage shot = game.window.centralWidget()->grab().toImage();
    const QRect cell = game.cell(number)->geometry();
    return contrastRatio(
        shot.pixelColor(cell.center().x(), cell.top() + 2), game.cell(number)->resolvedBackColor());
}
} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void tabPutsTheKeyboardOnTheBoard();
    void arrowsStopAtTheEdges();
    void pressKeysClick_data();
    void pressKeysClick();
    void gamesToTheEndByKeys();
    void markOnlyAfterKeyboardUse();
    void markStandsOutOnEveryCell();
    void helpLinksByKeyboard_data();
    void helpLinksByKeyboard();
    void windowsAsAssistiveToolsSeeThem();
    void everyMoveAndTheBoardHeard();
};

// Tab from the window puts the keyboard on the first cell; nothing shows a
// mark before, and the hidden label never takes the focus.
void TestKeyboard::tabPutsTheKeyboardOnTheBoard()
{
    GameWindow game;
    QVERIFY(game.show());
    const QImage before = game.window.grab().toImage();
    QCOMPARE(markedCells(game), QList<int>());
    QCOMPARE(game.hiddenLabel()->focusPolicy(), Qt::NoFocus);

    press(game, Qt::Key_Tab);
    QCOMPARE(markedCells(game), QList<int> {1});
    QVERIFY(game.window.grab().toImage() != before);
    press(game, Qt::Key_Tab); // nothing else in the window to go to
    press(game, Qt::Key_Backtab);
    QCOMPARE(markedCells(game), QList<int> {1});
    QCOMPARE(game.platform.boxes.size(), 0);
}

// The arrows move to the neighbouring cell and stop at the board's edges,
// over disabled cells too.
void TestKeyboard::arrowsStopAtTheEdges()
{
    GameWindow game;
    QVERIFY(game.show());
    press(game, Qt::Key_Tab);
    const QList<std::pair<Qt::Key, int>> walk = {{Qt::Key_Left, 1}, {Qt::Key_Up, 1},
        {Qt::Key_Right, 2}, {Qt::Key_Right, 3}, {Qt::Key_Right, 3}, {Qt::Key_Up, 3},
        {Qt::Key_Down, 6}, {Qt::Key_Down, 9}, {Qt::Key_Down, 9}, {Qt::Key_Left, 8},
        {Qt::Key_Left, 7}, {Qt::Key_Left, 7}, {Qt::Key_Up, 4}, {Qt::Key_Right, 5}};
    for (const auto &[key, expected] : walk) {
        press(game, key);
        QCOMPARE(markedCells(game), QList<int> {expected});
    }
    QCOMPARE(game.enabledCells(), QList<bool>(9, false));
    QCOMPARE(game.status(), startText);
}

// Space, Return and Enter on a cell do what a click does; on a disabled cell
// (marked, or before a game) nothing, and the focus stays to explore.
void TestKeyboard::pressKeysClick_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("Enter") << Qt::Key_Enter;
}

void TestKeyboard::pressKeysClick()
{
    QFETCH(Qt::Key, key);
    GameWindow game;
    QVERIFY(game.show());
    press(game, Qt::Key_Tab);
    press(game, key); // no game yet
    QCOMPARE(game.board(), QStringList(9, QString()));
    QCOMPARE(game.status(), startText);

    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    press(game, Qt::Key_Right);
    press(game, key);
    QCOMPARE(game.board().join(u'|'), QStringLiteral("| O|||||||"));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Bob")));
    press(game, key); // the marked cell takes no second mark
    QCOMPARE(game.board().join(u'|'), QStringLiteral("| O|||||||"));
    QCOMPARE(markedCells(game), QList<int> {2});
    press(game, Qt::Key_Down);
    press(game, key);
    QCOMPARE(game.board().join(u'|'), QStringLiteral("| O||| X||||"));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Ann")));
    QCOMPARE(game.platform.asked().size(), 2); // the two names only
}

// A win and the cat, played by keys alone, end in "Play again?" as by
// clicks; Yes starts the next game, No leaves the board idle.
void TestKeyboard::gamesToTheEndByKeys()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    press(game, Qt::Key_Tab);
    // O on 1, X on 4, O on 2, X on 5, O on 3: the top row.
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Down, Qt::Key_Space, Qt::Key_Up, Qt::Key_Right,
             Qt::Key_Space, Qt::Key_Down, Qt::Key_Space, Qt::Key_Up, Qt::Key_Right}) {
        press(game, key);
    }
    game.platform.answerMessage(Platform::Yes);
    game.platform.answer({QStringLiteral("Cyd"), QStringLiteral("Dee")});
    press(game, Qt::Key_Return);
    QCOMPARE(game.platform.asked().mid(2, 1), QStringList {QStringLiteral("Play again?")});
    QCOMPARE(game.status(), turnOf(QStringLiteral("Cyd")));
    QCOMPARE(game.enabledCells(), QList<bool>(9, true));

    // The cat: O 1, X 2, O 3, X 5, O 4, X 6, O 8, X 7, O 9, from cell 3.
    QVERIFY(game.activate());
    const auto moveTo = [&](int from, int to) {
        for (int row = (from - 1) / 3; row < (to - 1) / 3; ++row)
            press(game, Qt::Key_Down);
        for (int row = (from - 1) / 3; row > (to - 1) / 3; --row)
            press(game, Qt::Key_Up);
        for (int column = (from - 1) % 3; column < (to - 1) % 3; ++column)
            press(game, Qt::Key_Right);
        for (int column = (from - 1) % 3; column > (to - 1) % 3; --column)
            press(game, Qt::Key_Left);
    };
    game.platform.answerMessage(Platform::No);
    int at = 3;
    for (int cell : {1, 2, 3, 5, 4, 6, 8, 7, 9}) {
        moveTo(at, cell);
        at = cell;
        press(game, Qt::Key_Space);
    }
    QCOMPARE(game.platform.asked().size(), 6);
    QCOMPARE(game.platform.asked().last(), QStringLiteral("Play again?"));
    QCOMPARE(game.status(), startText);
    QCOMPARE(game.enabledCells(), QList<bool>(9, false));
    QCOMPARE(game.platform.unexpectedBoxes, 0);
}

// Mouse play shows no mark: not at start-up, after clicks, or when a box
// closes and the window takes the focus back. After keyboard use the mark
// comes back with the window; a click on the board takes it away.
void TestKeyboard::markOnlyAfterKeyboardUse()
{
    GameWindow game;
    QVERIFY(game.show());
    ModalBoxes boxes;
    const auto closeABox = [&] {
        boxes.whenOpens([](QDialog *box) { box->accept(); });
        QMessageBox::information(&game.window, QString(), QStringLiteral("a box"));
        QVERIFY(game.activate());
    };
    game.newGame();
    game.clickCells({5, 1});
    closeABox();
    QCOMPARE(markedCells(game), QList<int>());

    press(game, Qt::Key_Right);
    QCOMPARE(markedCells(game), QList<int> {2});
    closeABox();
    QCOMPARE(markedCells(game), QList<int> {2});
    game.clickCell(9);
    QCOMPARE(markedCells(game), QList<int>());
    QCOMPARE(game.board().join(u'|'), QStringLiteral(" X|||| O|||| O"));
}

// The mark keeps at least 3:1 against the cell: plain, decorated red and
// white, and under a dark palette.
void TestKeyboard::markStandsOutOnEveryCell()
{
    for (bool dark : {false, true}) {
        GameWindow game;
        if (dark)
            game.window.setPalette(darkPalette());
        QVERIFY(game.show());
        press(game, Qt::Key_Tab);
        QVERIFY(markContrast(game, 1) >= 3);
        game.newGame();
        game.platform.answer({QStringLiteral("plumo")}); // decorates the board
        game.clickAt(game.hiddenLabel()->geometry().center());
        QVERIFY(game.activate());
        QCOMPARE(game.cell(1)->backColor(), FixedColor::Red);
        for (int n : {1, 2, 5}) {
            if (n > 1)
                press(game, n == 2 ? Qt::Key_Right : Qt::Key_Down);
            QCOMPARE(markedCells(game), QList<int> {n});
            QVERIFY2(markContrast(game, n) >= 3, qPrintable(QString::number(n)));
        }
    }
}

// Tab goes from "Close Help" to the website, then the e-mail link; each shows
// the mark, and Space or Enter opens exactly what a click opens.
void TestKeyboard::helpLinksByKeyboard_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Return") << Qt::Key_Return;
}

void TestKeyboard::helpLinksByKeyboard()
{
    QFETCH(Qt::Key, key);
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuHelp")->trigger();
    frmHelp *help = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<frmHelp *>(widget))
            help = window;
    }
    QVERIFY(QTest::qWaitForWindowActive(help));
    auto *address = help->findChild<ClassicLabel *>(QStringLiteral("lbladdress"));
    auto *email = help->findChild<ClassicLabel *>(QStringLiteral("lblemail"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
    QVERIFY(!address->hasFocusMark() && !email->hasFocusMark());

    QTest::keyClick(help->windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), address);
    QVERIFY(address->hasFocusMark());
    QTest::keyClick(help->windowHandle(), key);
    QTest::keyClick(help->windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), email);
    QVERIFY(email->hasFocusMark() && !address->hasFocusMark());
    QTest::keyClick(help->windowHandle(), key);
    QTest::keyClick(help->windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
    QCOMPARE(game.platform.opened,
        (QStringList {QStringLiteral("http://pelko.example/games/index.html"),
            QStringLiteral("mailto:pelko@pelko.example")}));

    const auto *link = QAccessible::queryAccessibleInterface(address);
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), QStringLiteral("http://pelko.example/games/"));
    QCOMPARE(QAccessible::queryAccessibleInterface(email)->text(QAccessible::Name),
        QStringLiteral("pelko@pelko.example"));
    help->close();
}

// The About and Help windows are windows with their titles.
void TestKeyboard::windowsAsAssistiveToolsSeeThem()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuHelp")->trigger();
    game.action("mnuMenuAbout")->trigger();
    QStringList seen;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!qobject_cast<frmHelp *>(widget) && !qobject_cast<frmAboutTTT *>(widget))
            continue;
        const auto *window = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(window->role(), QAccessible::Window);
        seen << window->text(QAccessible::Name);
        widget->close();
    }
    seen.sort();
    QCOMPARE(seen,
        (QStringList {QStringLiteral("About Tic Tac Toe"), QStringLiteral("Pelko's Games Help")}));
}

// Every move is heard with its mark and place before the status line,
// whether a click, a key or an assistive press made it; B reads the whole
// board and the status line, before, during and after a game, and changes
// nothing that can be seen.
void TestKeyboard::everyMoveAndTheBoardHeard()
{
    HeardAnnouncements heard;
    GameWindow game;
    QVERIFY(game.show());
    QCOMPARE(heard.take(), QStringList {startText});
    const QString emptyBoard = QStringLiteral(
        "row 1: empty, empty, empty; row 2: empty, empty, empty; row 3: empty, empty, empty. ");
    const auto readBoard = [&game, &heard](const QString &expected) {
        const QImage shot = game.window.grab().toImage();
        const QWidget *focus = QApplication::focusWidget();
        const QList<int> marked = markedCells(game);
        press(game, Qt::Key_B);
        QCOMPARE(heard.take(), QStringList {expected});
        QCOMPARE(game.window.grab().toImage(), shot);
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(markedCells(game), marked);
    };
    readBoard(emptyBoard + startText);

    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    QCOMPARE(heard.take(), QStringList {turnOf(QStringLiteral("Ann"))});
    game.clickCell(5);
    QCOMPARE(heard.take(), QStringList {QStringLiteral("O, row 2, column 2. It's Bob's turn.")});
    press(game, Qt::Key_Tab);
    press(game, Qt::Key_Space);
    QCOMPARE(heard.take(), QStringList {QStringLiteral("X, row 1, column 1. It's Ann's turn.")});
    game.press(game.cell(7));
    QCoreApplication::processEvents(); // the press is queued
    QCOMPARE(heard.take(), QStringList {QStringLiteral("O, row 3, column 1. It's Bob's turn.")});
    readBoard(QStringLiteral("row 1: X, empty, empty; row 2: empty, O, empty; row 3: O, empty, "
                             "empty. It's Bob's turn."));

    // The move that ends a game says its place with the result, heard while
    // "Play again?" is open, as a real box runs the program's events.
    const auto answerNo = [] {
        QCoreApplication::processEvents();
        return int(Platform::No);
    };
    game.clickCell(9);
    heard.take();
    game.platform.messageAnswers.push_back(answerNo);
    game.clickCell(3);
    QCOMPARE(
        heard.take(), (QStringList {QStringLiteral("O, row 1, column 3. Ann Won!"), startText}));
    readBoard(emptyBoard + startText);

    // The cat: O 1, X 2, O 3, X 5, O 4, X 6, O 8, X 7, O 9.
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells({1, 2, 3, 5, 4, 6, 8, 7});
    heard.take();
    game.platform.messageAnswers.push_back(answerNo);
    game.clickCell(9);
    QCOMPARE(heard.take(),
        (QStringList {QStringLiteral("O, row 3, column 3. The Cat Won!"), startText}));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
