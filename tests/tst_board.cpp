// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window as it opens, and the moves of a game: what a player sees
// and what a click or a key does, driven through real events.

#include "application.h"
#include "gamewindow.h"
#include "platform/systemcolors.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStyle>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void startUp();
    void layout();
    void pixels();
    void enlargingMovesNothing();
    void clicksBeforeAGameDoNothing();
    void menuItems();
    void newGameInEveryState_data();
    void newGameInEveryState();
    void menuItemThroughKeyboard();
    void defaultNamesAlternate();
    void markedCellTakesNoClick();
    void clickOnOverlapGoesToTheHigherCell();
    void newGameMidGame();
    void names_data();
    void names();
    void ampersandAndMarkupInNames_data();
    void ampersandAndMarkupInNames();
    void longNameKeepsTheWindow();
    void accessibility();
    void pressesTakeTheUsersPath();
    void exit_data();
    void exit();
};

void TestBoard::startUp()
{
    GameWindow game;
    QVERIFY(game.show());

    QCOMPARE(game.window.windowTitle(), QStringLiteral("Tic Tac Toe"));
    const QImage icon = game.window.windowIcon().pixmap(QSize(32, 32), 1.0).toImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.pixel(9, 15), qRgb(0, 0, 0)); // a vertical bar
    QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);

    QCOMPARE(game.status(), startText);
    QCOMPARE(game.board(), QStringList(9, QString()));
    QCOMPARE(game.enabledCells(), QList<bool>(9, false));
    QVERIFY(game.gridShown());
    QVERIFY(!game.ears()->isVisible());
    QVERIFY(!game.winPicture()->isVisible());
    QVERIFY(game.hiddenLabel()->isVisible());
    QVERIFY(game.hiddenLabel()->isEnabled());
    QCOMPARE(game.ears()->text(), QStringLiteral("A      A"));
    QCOMPARE(game.platform.boxes.size(), 0);

    // The click-here pointer over the hidden label only.
    QCOMPARE(game.hiddenLabel()->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(game.hiddenLabel()->cursor().pixmap().deviceIndependentSize(), QSizeF(32, 32));
    for (int n = 1; n <= 9; ++n)
        QCOMPARE(game.cell(n)->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(game.message()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(game.window.centralWidget()->cursor().shape(), Qt::ArrowCursor);
}

// Every control at its designed place and size, in pixels of the client
// area below the menu bar.
void TestBoard::layout()
{
    GameWindow game;
    QVERIFY(game.show());

    QCOMPARE(game.window.centralWidget()->size(), QSize(249, 231));
    QCOMPARE(game.window.centralWidget()->mapToGlobal(QPoint(0, 0)), QPoint(17, 55));

    const int left[] = {40, 96, 152};
    const int top[] = {56, 112, 168};
    for (int n = 1; n <= 9; ++n)
        QCOMPARE(game.cell(n)->geometry(), QRect(left[(n - 1) % 3], top[(n - 1) / 3], 57, 57));
    QCOMPARE(game.message()->geometry(), QRect(40, 0, 169, 33));
    QCOMPARE(game.ears()->geometry(), QRect(24, 16, 201, 41));
    QCOMPARE(game.winPicture()->geometry(), QRect(108, 125, 32, 32));
    QCOMPARE(game.hiddenLabel()->geometry(), QRect(232, 160, 17, 17));
    QCOMPARE(game.line(1)->geometry(), QRect(40, 111, 168, 3));
    QCOMPARE(game.line(2)->geometry(), QRect(40, 167, 168, 3));
    QCOMPARE(game.line(3)->geometry(), QRect(95, 56, 3, 168));
    QCOMPARE(game.line(4)->geometry(), QRect(151, 56, 3, 168));

    // The fonts, whatever faces this machine has besides.
    QCOMPARE(game.cell(5)->font().family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(game.cell(5)->font().pixelSize(), 48);
    QCOMPARE(game.ears()->font().pixelSize(), 64);
    QCOMPARE(game.message()->font().pixelSize(), 13);
    QCOMPARE(QFontInfo(game.message()->font()).family(), QStringLiteral("Liberation Sans"));
}

// What the window shows, from a grab. Runs at scale 1 and, under
// QT_SCALE_FACTOR=2, at scale 2, where each logical pixel is four.
void TestBoard::pixels()
{
    GameWindow game;
    QVERIFY(game.show());
    QWidget *client = game.window.centralWidget();
    const QImage shot = client->grab().toImage();
    const qreal ratio = client->devicePixelRatioF();
    QCOMPARE(shot.size(), QSize(249, 231) * ratio);
    const auto at = [&](int x, int y) {
        // The last physical pixel of the logical one, so that an edge one
        // pixel off shows at scale 2 too.
        return shot.pixel(int((x + 1) * ratio) - 1, int((y + 1) * ratio) - 1);
    };

    const QPalette pal = client->palette();
    const QRgb background = resolveColor(SystemColor::ScrollBars, pal).rgb();
    const QRgb buttonFace = resolveColor(SystemColor::ButtonFace, pal).rgb();
    const QRgb gridColor = resolveColor(SystemColor::WindowText, pal).rgb();
    QVERIFY(background != buttonFace);

    // The board's corners and what lies just outside them.
    QCOMPARE(at(40, 56), buttonFace);
    QCOMPARE(at(39, 56), background);
    QCOMPARE(at(40, 55), background);
    QCOMPARE(at(208, 224), buttonFace);
    QCOMPARE(at(209, 224), background);
    QCOMPARE(at(208, 225), background);

    // The grid lines, three pixels across their seams, ending one pixel
    // short of the board's right and bottom edges.
    for (int y : {111, 112, 113, 167, 168, 169}) {
        QCOMPARE(at(40, y), gridColor);
        QCOMPARE(at(207, y), gridColor);
        QCOMPARE(at(208, y), buttonFace);
    }
    QCOMPARE(at(60, 110), buttonFace);
    QCOMPARE(at(60, 114), buttonFace);
    for (int x : {95, 96, 97, 151, 152, 153}) {
        QCOMPARE(at(x, 56), gridColor);
        QCOMPARE(at(x, 223), gridColor);
        QCOMPARE(at(x, 224), buttonFace);
    }

    // The hidden label's plain square beside the board.
    QCOMPARE(at(232, 160), buttonFace);
    QCOMPARE(at(248, 176), buttonFace);
    QCOMPARE(at(231, 160), background);
    QCOMPARE(at(232, 159), background);
    QCOMPARE(at(232, 177), background);

    // The status line: opaque above the board, with text on both lines.
    QCOMPARE(at(40, 32), buttonFace);
    QCOMPARE(at(40, 33), background);
    const auto inkIn = [&](QRect area) {
        int ink = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ink += at(x, y) != buttonFace;
        return ink;
    };
    QVERIFY(inkIn(QRect(40, 0, 169, 16)) > 50);
    QVERIFY(inkIn(QRect(40, 16, 169, 17)) > 50);

    // The pictures are drawn crisply at the screen's scale.
    const QImage winPicture = game.winPicture()->pixmap().toImage();
    QCOMPARE(winPicture.size(), QSize(32, 32) * ratio);
    QCOMPARE(game.winPicture()->pixmap().deviceIndependentSize(), QSizeF(32, 32));
}

void TestBoard::enlargingMovesNothing()
{
    GameWindow game;
    QVERIFY(game.show());
    const QRect board = game.cell(1)->geometry().united(game.cell(9)->geometry());
    const QPoint clientOrigin = game.window.centralWidget()->mapToGlobal(QPoint(0, 0));

    game.window.resize(600, 500);
    QTRY_COMPARE(game.window.centralWidget()->width(), 600);
    QCOMPARE(game.cell(1)->geometry().united(game.cell(9)->geometry()), board);
    QCOMPARE(game.message()->geometry(), QRect(40, 0, 169, 33));
    QCOMPARE(game.hiddenLabel()->geometry(), QRect(232, 160, 17, 17));
    QCOMPARE(game.window.centralWidget()->mapToGlobal(QPoint(0, 0)), clientOrigin);

    const QImage shot = game.window.centralWidget()->grab().toImage();
    const qreal ratio = game.window.centralWidget()->devicePixelRatioF();
    const QRgb background = resolveColor(SystemColor::ScrollBars, game.window.palette()).rgb();
    QCOMPARE(shot.pixel(int(500 * ratio), int(400 * ratio)), background);
}

void TestBoard::clicksBeforeAGameDoNothing()
{
    GameWindow game;
    QVERIFY(game.show());
    for (int n = 1; n <= 9; ++n)
        game.clickCell(n);
    game.clickAt(QPoint(100, 10)); // the status line
    game.clickAt(QPoint(5, 5)); // the window's own background
    QCOMPARE(game.board(), QStringList(9, QString()));
    QCOMPARE(game.status(), startText);
    QCOMPARE(game.platform.boxes.size(), 0);
}

void TestBoard::menuItems()
{
    GameWindow game;
    QVERIFY(game.show());
    const QList<QAction *> bar = game.window.menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar[0]->text(), QStringLiteral("&Menu"));
    QStringList captions;
    for (QAction *item : bar[0]->menu()->actions()) {
        QVERIFY(item->isEnabled() && item->isVisible() && !item->isChecked());
        QVERIFY(!item->isSeparator());
        captions << item->text();
    }
    QCOMPARE(captions,
        (QStringList {QStringLiteral("New Game"), QStringLiteral("Help"), QStringLiteral("&About"),
            QStringLiteral("E&xit")}));
    QCOMPARE(game.action("mnuMenuNewGame")->shortcut(), QKeySequence(Qt::Key_F2));

    // As assistive tools read them: the name, and the key that gives the item.
    QStringList told;
    QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(bar[0]->menu());
    for (int i = 0; i < menu->childCount(); ++i)
        told << menu->child(i)->text(QAccessible::Name) + u'|' +
                menu->child(i)->text(QAccessible::Accelerator);
    QCOMPARE(told, (QStringList {u"New Game|F2"_s, u"Help|"_s, u"About|Alt+A"_s, u"Exit|Alt+x"_s}));
}

// F2 and the menu item start the same new game, whatever the window was
// doing: idle, mid-game with either player to move, or with a full board.
void TestBoard::newGameInEveryState_data()
{
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<bool>("byKey");
    const QList<QPair<const char *, QList<int>>> states = {
        {"idle", {}},
        {"player 2 to move", {5}},
        {"player 1 to move", {5, 1}},
        {"eight marks", {1, 2, 3, 5, 4, 6, 8, 7}},
    };
    for (const auto &[name, moves] : states) {
        QTest::addRow("%s, F2", name) << moves << true;
        QTest::addRow("%s, menu", name) << moves << false;
    }
}

void TestBoard::newGameInEveryState()
{
    QFETCH(QList<int>, moves);
    QFETCH(bool, byKey);
    GameWindow game;
    QVERIFY(game.show());
    if (!moves.isEmpty()) {
        game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
        game.clickCells(moves);
    }
    game.platform.boxes.clear();

    game.platform.answer({QStringLiteral("Cyd"), QStringLiteral("Dee")});
    if (byKey)
        QTest::keyClick(&game.window, Qt::Key_F2);
    else
        game.action("mnuMenuNewGame")->trigger();

    QCOMPARE(game.platform.asked(),
        (QStringList {QStringLiteral("Please enter your name, Player 1:"),
            QStringLiteral("Please enter your name, Player 2:")}));
    QCOMPARE(game.platform.boxes[0].defaultText, QStringLiteral("Player 1"));
    QCOMPARE(game.platform.boxes[1].defaultText, QStringLiteral("Player 2"));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Cyd")));
    QCOMPARE(game.board(), QStringList(9, QString()));
    QCOMPARE(game.enabledCells(), QList<bool>(9, true));
    QVERIFY(game.gridShown());
    QVERIFY(!game.ears()->isVisible());

    game.clickCell(9);
    QCOMPARE(game.cell(9)->text(), QStringLiteral(" O"));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Dee")));
}

// The menu opened with Alt+M and its first item chosen with Enter.
void TestBoard::menuItemThroughKeyboard()
{
    GameWindow game;
    QVERIFY(game.show());
    game.platform.answer({QStringLiteral("Ann"), QStringLiteral("Bob")});
    QTest::keyClick(&game.window, Qt::Key_M, Qt::AltModifier);
    auto *menu = game.window.findChild<QMenu *>(QStringLiteral("mnuMenu"));
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_COMPARE(game.status(), turnOf(QStringLiteral("Ann")));
}

void TestBoard::defaultNamesAlternate()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame();
    QCOMPARE(game.status(), QStringLiteral("It's Player 1's turn."));

    game.clickCell(5);
    QCOMPARE(game.cell(5)->text(), QStringLiteral(" O"));
    QVERIFY(!game.cell(5)->isEnabled());
    QCOMPARE(game.status(), QStringLiteral("It's Player 2's turn."));

    game.clickCell(1);
    QCOMPARE(game.cell(1)->text(), QStringLiteral(" X"));
    QVERIFY(!game.cell(1)->isEnabled());
    QCOMPARE(game.status(), QStringLiteral("It's Player 1's turn."));

    game.clickCell(9);
    QCOMPARE(game.board(),
        (QStringList {QStringLiteral(" X"), {}, {}, {}, QStringLiteral(" O"), {}, {}, {},
            QStringLiteral(" O")}));
    QCOMPARE(game.enabledCells(),
        (QList<bool> {false, true, true, true, false, true, true, true, false}));
}

void TestBoard::markedCellTakesNoClick()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame();
    game.clickCell(5);
    game.clickCell(5);
    game.clickCell(5);
    QCOMPARE(game.cell(5)->text(), QStringLiteral(" O"));
    QCOMPARE(game.status(), QStringLiteral("It's Player 2's turn."));
    game.clickCell(1);
    QCOMPARE(game.cell(1)->text(), QStringLiteral(" X"));
}

// Neighbouring cells share a pixel column; the later cell is drawn over the
// earlier one and takes the click there, through the grid line above both.
void TestBoard::clickOnOverlapGoesToTheHigherCell()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame();
    game.clickAt(QPoint(96, 80)); // between cells 1 and 2, under Line3
    QCOMPARE(game.cell(2)->text(), QStringLiteral(" O"));
    QCOMPARE(game.cell(1)->text(), QString());
    game.clickAt(QPoint(70, 112)); // between cells 1 and 4, under Line1
    QCOMPARE(game.cell(4)->text(), QStringLiteral(" X"));
    QCOMPARE(game.cell(1)->text(), QString());
}

void TestBoard::newGameMidGame()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells({1, 2, 3});
    QCOMPARE(game.status(), turnOf(QStringLiteral("Bob")));

    game.newGame(QStringLiteral("Cyd"), QStringLiteral("Dee"));
    QCOMPARE(game.platform.boxes.size(), 4);
    QCOMPARE(game.board(), QStringList(9, QString()));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Cyd")));
    game.clickCell(2);
    QCOMPARE(game.cell(2)->text(), QStringLiteral(" O"));
}

// Whatever the names, the marks alternate O, X, O, ... from player 1, and the
// status line names the player to move as entered.
void TestBoard::names_data()
{
    QTest::addColumn<QString>("player1");
    QTest::addColumn<QString>("player2");
    QTest::newRow("different") << QStringLiteral("Ann") << QStringLiteral("Bob");
    QTest::newRow("only case differs") << QStringLiteral("Ann") << QStringLiteral("ann");
    QTest::newRow("first cancelled") << QString() << QStringLiteral("Player 2");
    QTest::newRow("second cancelled") << QStringLiteral("Player 1") << QString();
    QTest::newRow("both cancelled") << QString() << QString();
    QTest::newRow("equal") << QStringLiteral("Sam") << QStringLiteral("Sam");
    QTest::newRow("spaces differ") << QStringLiteral("Sam") << QStringLiteral("Sam ");
}

void TestBoard::names()
{
    QFETCH(QString, player1);
    QFETCH(QString, player2);
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(player1, player2);
    QCOMPARE(game.status(), turnOf(player1));

    // A full board without a line, in the order 1 2 3 5 4 6 8 7 9.
    const QList<int> moves = {1, 2, 3, 5, 4, 6, 8, 7};
    for (qsizetype i = 0; i < moves.size(); ++i) {
        const bool first = i % 2 == 0;
        game.clickCell(moves[i]);
        QCOMPARE(game.cell(moves[i])->text(), first ? QStringLiteral(" O") : QStringLiteral(" X"));
        QCOMPARE(game.status(), turnOf(first ? player2 : player1));
    }
    QCOMPARE(game.enabledCells(),
        (QList<bool> {false, false, false, false, false, false, false, false, true}));
}

namespace {
// How a plain label without mnemonics draws a text, for comparison.
QImage plainRendering(const ClassicLabel *like, const QString &text)
{
    QLabel reference;
    reference.setTextFormat(Qt::PlainText);
    reference.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    reference.setWordWrap(true);
    reference.setFont(like->font());
    reference.setAutoFillBackground(true);
    QPalette pal = like->palette();
    pal.setColor(QPalette::Window, like->resolvedBackColor());
    pal.setColor(QPalette::WindowText, resolveColor(like->foreColor(), pal));
    reference.setPalette(pal);
    reference.resize(like->size());
    reference.setText(text);
    return reference.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
} // namespace

// Names reach the status line as text: "&" marks an access character,
// "&&" draws one "&", and markup is never interpreted.
void TestBoard::ampersandAndMarkupInNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shownAs"); // literally, by a plain label
    QTest::addColumn<bool>("underlined");
    QTest::newRow("double ampersand")
        << QStringLiteral("Tom&&Jo") << QStringLiteral("Tom&Jo") << false;
    QTest::newRow("access character")
        << QStringLiteral("Tom&Jo") << QStringLiteral("TomJo") << true;
    QTest::newRow("bold markup") << QStringLiteral("<b>x</b>") << QStringLiteral("<b>x</b>")
                                 << false;
    QTest::newRow("image markup") << QStringLiteral("<img src=/etc/passwd>")
                                  << QStringLiteral("<img src=/etc/passwd>") << false;
}

void TestBoard::ampersandAndMarkupInNames()
{
    QFETCH(QString, name);
    QFETCH(QString, shownAs);
    QFETCH(bool, underlined);
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(name, QStringLiteral("Bob"));
    QCOMPARE(game.status(), turnOf(name));

    const QImage shown = game.message()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage plain = plainRendering(game.message(), turnOf(shownAs));
    if (underlined)
        QVERIFY(shown != plain); // the same letters, and a line under one
    else
        QCOMPARE(shown, plain);
}

void TestBoard::longNameKeepsTheWindow()
{
    GameWindow game;
    QVERIFY(game.show());
    const QSize windowSize = game.window.size();
    game.newGame(QString(10000, QLatin1Char('W')), QStringLiteral("word ").repeated(2000));
    QCOMPARE(game.message()->geometry(), QRect(40, 0, 169, 33));
    game.clickCell(1);
    QCOMPARE(game.message()->geometry(), QRect(40, 0, 169, 33));
    QCOMPARE(game.window.size(), windowSize);
    QCOMPARE(game.cell(1)->geometry(), QRect(40, 56, 57, 57));
}

// A screen reader reads each cell as a button named by its place and its
// mark, without the caption's leading space, and the status line.
void TestBoard::accessibility()
{
    GameWindow game;
    QVERIFY(game.show());
    const auto name = [](QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    QCOMPARE(name(game.message()), startText);
    QCOMPARE(name(game.cell(1)), QStringLiteral("row 1, column 1, empty"));
    QCOMPARE(name(game.cell(6)), QStringLiteral("row 2, column 3, empty"));
    QCOMPARE(QAccessible::queryAccessibleInterface(game.cell(8))->role(), QAccessible::Button);

    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCell(6);
    QCOMPARE(name(game.cell(6)), QStringLiteral("row 2, column 3, O"));
    QCOMPARE(game.cell(6)->text(), QStringLiteral(" O"));
    QCOMPARE(name(game.message()), turnOf(QStringLiteral("Bob")));

    // The press action is a click: it marks an enabled cell only.
    auto *action = QAccessible::queryAccessibleInterface(game.cell(8))->actionInterface();
    QCOMPARE(action->actionNames(), QStringList {QAccessibleActionInterface::pressAction()});
    game.press(game.cell(8));
    game.press(game.cell(6));
    QCoreApplication::processEvents();
    QCOMPARE(game.board().join(u'|'), QStringLiteral("||||| O|| X|"));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Ann")));
}

// An assistive press takes the user's path: the tool's call returns before
// the click, so a winning press does not hold it while "Play again?" waits
// for an answer. Behind any box no command acts, however it is given: each
// cell, the hidden label, the About and Help windows' buttons and links by
// mouse, key and assistive press, each menu item by its action and by an
// assistive press, and the menu's drop-down; nothing changes, then or later.
void TestBoard::pressesTakeTheUsersPath()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.action("mnuMenuAbout")->trigger();
    game.action("mnuMenuHelp")->trigger();
    QList<QPointer<QWidget>> infoControls;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (const char *name : {"cmdOK", "Command1", "lbladdress", "lblemail"}) {
            if (auto *control = window->findChild<QWidget *>(QLatin1String(name)))
                infoControls << control;
        }
    }
    QCOMPARE(infoControls.size(), 4);
    QVERIFY(game.activate());
    QAccessibleInterface *menuTitle =
        QAccessible::queryAccessibleInterface(game.window.menuBar())->child(0);
    QStringList pressedThrough; // "the box's text: the way in that acted"
    const auto pressBehind = [&] {
        const auto state = [&] {
            const bool infoOpen = std::all_of(infoControls.begin(), infoControls.end(),
                [](const QPointer<QWidget> &control) { return control && control->isVisible(); });
            return std::tuple(game.board(), game.status(), game.platform.boxes.size(), infoOpen,
                game.window.isVisible(), game.platform.opened.size(),
                game.window.findChild<QMenu *>()->isVisible(),
                QApplication::activeWindow()); // About and Help come forward
        };
        auto before = state();
        const QString box = game.platform.boxes.last().text;
        const auto tryWay = [&](const QString &way, const auto &give) {
            give();
            QCoreApplication::processEvents();
            if (auto now = state(); now != before) {
                pressedThrough << box + u": "_s + way;
                before = std::move(now); // so that each way is named for what it did
            }
        };
        tryWay(u"what was asked for before the box opened"_s, [] {});
        for (int n = 1; n <= 9; ++n) {
            tryWay(u"click on cell %1"_s.arg(n), [&] { game.clickCell(n); });
            tryWay(u"press on cell %1"_s.arg(n), [&] { game.press(game.cell(n)); });
        }
        tryWay(u"Space"_s, [&] { QTest::keyClick(game.window.windowHandle(), Qt::Key_Space); });
        tryWay(
            u"click on Label10"_s, [&] { game.clickAt(game.hiddenLabel()->geometry().center()); });
        for (QAction *item : game.window.findChild<QMenu *>()->actions())
            tryWay(u"trigger of "_s + item->text(), [&] { item->trigger(); });
        for (int i = 0; i < menuTitle->child(0)->childCount(); ++i) {
            QAccessibleInterface *item = menuTitle->child(0)->child(i);
            tryWay(u"press on "_s + item->text(QAccessible::Name), [&] {
                item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            });
        }
        tryWay(u"F2"_s, [&] { QTest::keyClick(game.window.windowHandle(), Qt::Key_F2); });
        for (const QPointer<QWidget> &control : infoControls) {
            const QString name = control ? control->objectName() : QString();
            tryWay(u"click on "_s + name, [&] {
                if (control) // but not if closed behind the box
                    QTest::mouseClick(control->window()->windowHandle(), Qt::LeftButton, {},
                        control->geometry().center());
            });
            tryWay(u"press on "_s + name, [&] {
                if (control)
                    game.press(control);
            });
        }
        tryWay(u"the menu's drop-down"_s, [&] {
            menuTitle->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        });
    };
    const auto name = [&pressBehind](const QString &entry) {
        return [&pressBehind, entry] {
            pressBehind();
            return entry;
        };
    };
    const auto answer = [&pressBehind](int code) {
        return [&pressBehind, code] {
            pressBehind();
            return code;
        };
    };
    game.clickCell(1);
    game.platform.inputAnswers = {name(QStringLiteral("Cyd")), name(QStringLiteral("Dee"))};
    QTest::keyClick(&game.window, Qt::Key_F2);
    game.platform.inputAnswers = {name(QStringLiteral("wrong"))};
    game.platform.messageAnswers = {answer(Platform::OK), answer(Platform::No)};
    game.clickAt(game.hiddenLabel()->geometry().center());
    game.clickCells({1, 4, 2, 5});
    QVERIFY2(pressedThrough.isEmpty(), qPrintable(pressedThrough.join(u"; "_s)));

    // The winning press, and a drop-down asked for right behind it: both
    // wait for the event loop, and the drop-down, carried out while "Play
    // again?" is open, is refused there.
    const qsizetype boxes = game.platform.boxes.size();
    game.press(game.cell(3));
    menuTitle->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QCOMPARE(game.platform.boxes.size(), boxes);
    QCoreApplication::processEvents();
    QCOMPARE(game.platform.asked().mid(boxes), QStringList {QStringLiteral("Play again?")});
    QCoreApplication::processEvents();
    QCOMPARE(game.status(), startText);
    QCOMPARE(game.board(), QStringList(9));
    QVERIFY2(pressedThrough.isEmpty(), qPrintable(pressedThrough.join(u"; "_s)));
    QCOMPARE(game.platform.asked().size(), 7); // two games' names, two password boxes, one question

    // A press on a menu item, too, returns to the tool before it acts.
    game.platform.answer({QStringLiteral("Eve"), QStringLiteral("Fay")});
    menuTitle->child(0)->child(0)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    QCOMPARE(game.platform.asked().size(), 7);
    QCoreApplication::processEvents();
    QCOMPARE(game.status(), turnOf(QStringLiteral("Eve")));
}

// Exit and the title bar's close button both close the main window.
void TestBoard::exit_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Exit") << true;
    QTest::newRow("close button") << false;
}

void TestBoard::exit()
{
    QFETCH(bool, byMenu);
    GameWindow game;
    QVERIFY(game.show());
    game.newGame();
    game.clickCell(1);
    if (byMenu)
        game.action("mnuMenuExit")->trigger();
    else
        QVERIFY(game.window.close());
    QVERIFY(!game.window.isVisible());
    QCOMPARE(game.platform.boxes.size(), 2); // no confirmation asked
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
