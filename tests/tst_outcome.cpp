// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How a game ends: a line of three, the cat's face for a full board, the
// decoration and the play-again question, and the codes of the hidden label.
// What the window shows while a box is open is taken from inside the
// scripted answer, as a player sees it behind the box.

#include "application.h"
#include "gamewindow.h"
#include "platform/systemcolors.h"

#include <QAccessible>

namespace {
const QStringList emptyBoard(9, QString());

// The eight lines, by cell number.
const QList<QList<int>> lines = {
    {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 4, 7}, {2, 5, 8}, {3, 6, 9}, {1, 5, 9}, {3, 5, 7}};

bool holdsLine(const QList<int> &cells)
{
    for (const QList<int> &line : lines) {
        if (cells.contains(line[0]) && cells.contains(line[1]) && cells.contains(line[2]))
            return true;
    }
    return false;
}

// Moves in which the given player completes the given line with the last
// move and nobody holds a line before.
QList<int> movesWinning(const QList<int> &line, bool playerOne)
{
    QList<int> others;
    for (int n = 1; n <= 9; ++n) {
        if (!line.contains(n))
            others << n;
    }
    // Three of the other cells that hold no line, for the loser.
    QList<int> loser;
    for (int a = 0; a < others.size() && loser.isEmpty(); ++a)
        for (int b = a + 1; b < others.size() && loser.isEmpty(); ++b)
            for (int c = b + 1; c < others.size() && loser.isEmpty(); ++c)
                if (!holdsLine({others[a], others[b], others[c]}))
                    loser = {others[a], others[b], others[c]};
    QList<int> moves;
    if (playerOne) {
        moves = {line[0], loser[0], line[1], loser[1], line[2]};
    } else {
        moves = {loser[0], line[0], loser[1], line[1], loser[2], line[2]};
    }
    return moves;
}

QList<ColorValue> colors(const GameWindow &game)
{
    QList<ColorValue> values;
    for (int n = 1; n <= 9; ++n)
        values << game.cell(n)->backColor();
    return values;
}

// What a player sees of the window at one moment.
struct Seen
{
    QString status;
    QStringList board;
    QList<bool> enabled;
    QList<ColorValue> colors;
    bool winPicture = false;
    bool grid = false;
    bool ears = false;
};

Seen see(const GameWindow &game)
{
    return {game.status(), game.board(), game.enabledCells(), colors(game),
        game.winPicture()->isVisible(), game.gridShown(), game.ears()->isVisible()};
}

void compareSeen(const Seen &actual, const Seen &expected)
{
    QCOMPARE(actual.status, expected.status);
    QCOMPARE(actual.board, expected.board);
    QCOMPARE(actual.enabled, expected.enabled);
    QCOMPARE(actual.colors, expected.colors);
    QCOMPARE(actual.winPicture, expected.winPicture);
    QCOMPARE(actual.grid, expected.grid);
    QCOMPARE(actual.ears, expected.ears);
}

const QList<bool> allDisabled(9, false);
const QList<bool> allEnabled(9, true);
} // namespace

class TestOutcome : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void win_data();
    void win();
    void twoLinesAtOnce_data();
    void twoLinesAtOnce();
    void cat_data();
    void cat();
    void catAnsweredYes();
    void winAnsweredYes();
    void shownBehindTheBox();

    void wrongPassword_data();
    void wrongPassword();
    void playerOneCodeBeforeAnyGame();
    void playerTwoCodeMidGame();
    void winPictureShieldsTheCentre();
    void newGameKeepsAForcedDecoration();
    void catCode_data();
    void catCode();
    void playerOneCodeAfterCatCode();
    void codesStayHidden();
};

// Each line, for O and for X: the winner is announced, the board decorated,
// "Play again?" asked once; No leaves the window idle and plain.
void TestOutcome::win_data()
{
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<QString>("winner");
    const char *names[] = {"top row", "middle row", "bottom row", "left column", "middle column",
        "right column", "diagonal 159", "diagonal 357"};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QTest::addRow("O, %s", names[i]) << movesWinning(lines[i], true) << QStringLiteral("Ann");
        QTest::addRow("X, %s", names[i]) << movesWinning(lines[i], false) << QStringLiteral("Bob");
    }
}

void TestOutcome::win()
{
    QFETCH(QList<int>, moves);
    QFETCH(QString, winner);
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));

    Seen behindTheBox;
    game.platform.messageAnswers.push_back([&] {
        behindTheBox = see(game);
        return int(Platform::No);
    });
    game.clickCells(moves);

    QCOMPARE(game.platform.asked().mid(2), QStringList {QStringLiteral("Play again?")});
    QCOMPARE(game.platform.boxes.last().buttons, int(Platform::YesNo));
    QList<bool> enabledBehind(9, true);
    for (int n : moves)
        enabledBehind[n - 1] = false;
    compareSeen(behindTheBox,
        {winner + QStringLiteral(" Won!"), emptyBoard, enabledBehind, decoratedColors, true, true,
            false});
    compareSeen(see(game), {startText, emptyBoard, allDisabled, clearedColors, false, true, false});
    QCOMPARE(game.platform.unexpectedBoxes, 0);
}

// A move that completes two lines brings one announcement and one box; a
// ninth move that completes a line is a win, not the cat.
void TestOutcome::twoLinesAtOnce_data()
{
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<int>("lastMove");
    QTest::newRow("left column and diagonal") << QList<int> {4, 2, 7, 3, 5, 8, 9, 6} << 1;
    QTest::newRow("top row and diagonal") << QList<int> {2, 4, 3, 6, 5, 8, 9, 7} << 1;
    QTest::newRow("middle row and column") << QList<int> {4, 1, 6, 3, 2, 7, 8, 9} << 5;
    QTest::newRow("one line on the ninth move") << QList<int> {2, 1, 4, 3, 6, 8, 7, 9} << 5;
}

void TestOutcome::twoLinesAtOnce()
{
    QFETCH(QList<int>, moves);
    QFETCH(int, lastMove);
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells(moves);
    QCOMPARE(game.platform.boxes.size(), 2); // nothing decided yet

    QString announced;
    game.platform.messageAnswers.push_back([&] {
        announced = game.status();
        return int(Platform::No);
    });
    game.clickCell(lastMove);
    QCOMPARE(announced, QStringLiteral("Ann Won!"));
    QCOMPARE(game.platform.asked().mid(2), QStringList {QStringLiteral("Play again?")});
    QCOMPARE(game.platform.unexpectedBoxes, 0);
    QVERIFY(game.gridShown());
    QVERIFY(!game.ears()->isVisible());
}

// A full board without a line draws the cat, whatever the names, and
// answering No wipes the face.
void TestOutcome::cat_data()
{
    QTest::addColumn<QString>("player1");
    QTest::addColumn<QString>("player2");
    QTest::newRow("two names") << QStringLiteral("Ann") << QStringLiteral("Bob");
    QTest::newRow("player 2 nameless") << QStringLiteral("Ann") << QString();
    QTest::newRow("equal names") << QStringLiteral("Sam") << QStringLiteral("Sam");
    QTest::newRow("both nameless") << QString() << QString();
}

void TestOutcome::cat()
{
    QFETCH(QString, player1);
    QFETCH(QString, player2);
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(player1, player2);

    Seen behindTheBox;
    game.platform.messageAnswers.push_back([&] {
        behindTheBox = see(game);
        return int(Platform::No);
    });
    game.clickCells({1, 2, 3, 5, 4, 6, 8, 7, 9});

    QCOMPARE(game.platform.asked().mid(2), QStringList {QStringLiteral("Play again?")});
    compareSeen(behindTheBox, {catText, catFace, allDisabled, freshColors, false, false, true});
    compareSeen(see(game), {startText, emptyBoard, allDisabled, clearedColors, false, true, false});
}

void TestOutcome::catAnsweredYes()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.platform.answerMessage(Platform::Yes);
    game.platform.answer({QStringLiteral("Cyd"), QStringLiteral("Dee")});
    game.clickCells({1, 2, 3, 5, 4, 6, 8, 7, 9});

    QCOMPARE(game.platform.asked().mid(2),
        (QStringList {QStringLiteral("Play again?"),
            QStringLiteral("Please enter your name, Player 1:"),
            QStringLiteral("Please enter your name, Player 2:")}));
    compareSeen(see(game),
        {turnOf(QStringLiteral("Cyd")), emptyBoard, allEnabled, clearedColors, false, true, false});
    game.clickCell(9);
    QCOMPARE(game.cell(9)->text(), QStringLiteral(" O"));
    QCOMPARE(game.platform.unexpectedBoxes, 0);
}

// Yes asks both names again; the decoration stays while the name boxes are
// open and goes once both are answered.
void TestOutcome::winAnsweredYes()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.platform.answerMessage(Platform::Yes);
    Seen duringFirstName, duringSecondName;
    game.platform.inputAnswers.push_back([&] {
        duringFirstName = see(game);
        return QStringLiteral("Cyd");
    });
    game.platform.inputAnswers.push_back([&] {
        duringSecondName = see(game);
        return QStringLiteral("Dee");
    });
    game.clickCells({1, 4, 2, 5, 3});

    // Form_Load has run: the board is closed and the start text shows.
    compareSeen(
        duringFirstName, {startText, emptyBoard, allDisabled, decoratedColors, true, true, false});
    QCOMPARE(duringSecondName.colors, decoratedColors);
    QVERIFY(duringSecondName.winPicture);
    compareSeen(see(game),
        {turnOf(QStringLiteral("Cyd")), emptyBoard, allEnabled, clearedColors, false, true, false});
    QCOMPARE(game.platform.boxes.size(), 5);
    QCOMPARE(game.platform.unexpectedBoxes, 0);

    // The new game is played from the start, player 1 first.
    game.clickCell(5);
    QCOMPARE(game.cell(5)->text(), QStringLiteral(" O"));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Dee")));
}

// The pixels behind the box: the decorated board with the monogram, and the
// cat's ears under the status line's first line.
void TestOutcome::shownBehindTheBox()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    QImage won, cat;
    const auto grabClient = [&] {
        return game.window.centralWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    game.platform.messageAnswers.push_back([&] {
        won = grabClient();
        return int(Platform::Yes);
    });
    game.platform.answer({QStringLiteral("Ann"), QStringLiteral("Bob")});
    game.clickCells({1, 4, 2, 5, 3});
    game.platform.messageAnswers.push_back([&] {
        cat = grabClient();
        return int(Platform::No);
    });
    game.clickCells({1, 2, 3, 5, 4, 6, 8, 7, 9});

    const QPalette pal = game.window.palette();
    QCOMPARE(won.pixel(42, 58), qRgb(255, 0, 0)); // a corner cell
    QCOMPARE(won.pixel(100, 58), qRgb(255, 255, 255)); // an edge cell
    QCOMPARE(won.pixel(100, 116), resolveColor(SystemColor::ButtonFace, pal).rgb());
    QCOMPARE(won.pixel(60, 112), resolveColor(SystemColor::WindowText, pal).rgb()); // grid line
    int monogram = 0; // red pixels of the picture over the button-face centre
    for (int y = 125; y < 157; ++y)
        for (int x = 108; x < 140; ++x)
            monogram += qRed(won.pixel(x, y)) > 200 && qGreen(won.pixel(x, y)) < 100;
    QVERIFY(monogram > 100);

    // The ears are grey, darkened where the face needs it to read.
    const QColor earColor = game.ears()->resolvedTextColor();
    QVERIFY(earColor.red() == earColor.green() && earColor.green() == earColor.blue());
    QVERIFY(earColor != QColor(Qt::black));
    const QRgb grey = earColor.rgb();
    int ears = 0;
    for (int y = 16; y < 57; ++y)
        for (int x = 24; x < 225; ++x)
            ears += cat.pixel(x, y) == grey;
    QVERIFY(ears > 100);
    // No grid: the seam shows the cells' colour, the window's own since the
    // last game's decoration came off.
    QCOMPARE(cat.pixel(60, 112), resolveColor(SystemColor::ScrollBars, pal).rgb());
}

// Anything but a code, a cancelled box included, is refused and changes
// nothing. Codes are compared exactly.
void TestOutcome::wrongPassword_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("other case") << QStringLiteral("Plumo");
    QTest::newRow("capitals") << QStringLiteral("TRAZK");
    QTest::newRow("space before") << QStringLiteral(" plumo");
    QTest::newRow("space after") << QStringLiteral("trazk ");
    QTest::newRow("cat code with a space") << QStringLiteral("grindlefopsy ");
    QTest::newRow("a prefix") << QStringLiteral("grindle");
    QTest::newRow("markup") << QStringLiteral("<b>plumo</b>");
}

void TestOutcome::wrongPassword()
{
    QFETCH(QString, entry);
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells({5, 1});
    const Seen before = see(game);

    game.platform.answer({entry});
    game.platform.answerMessage(Platform::OK);
    game.clickAt(game.hiddenLabel()->geometry().center());

    QCOMPARE(game.platform.asked().mid(2),
        (QStringList {QStringLiteral("Password?"), QStringLiteral("Password incorrect.")}));
    QCOMPARE(game.platform.boxes[2].defaultText, QString());
    QCOMPARE(game.platform.boxes[3].buttons, int(Platform::OKOnly));
    compareSeen(see(game), before);
}

// The player 1 code before any game: an empty name wins, the board is
// decorated, and nothing is asked.
void TestOutcome::playerOneCodeBeforeAnyGame()
{
    GameWindow game;
    QVERIFY(game.show());
    game.platform.answer({QStringLiteral("plumo")});
    game.clickAt(game.hiddenLabel()->geometry().center());
    QCOMPARE(game.platform.asked(), QStringList {QStringLiteral("Password?")});
    compareSeen(see(game),
        {QStringLiteral(" Won!"), emptyBoard, allDisabled, decoratedColors, true, true, false});
}

// The player 2 code mid-game: player 2 is declared the winner, and play goes
// on over the decorated board from the same turn.
void TestOutcome::playerTwoCodeMidGame()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells({1, 2, 3}); // Bob to move
    game.platform.answer({QStringLiteral("trazk")});
    game.clickAt(game.hiddenLabel()->geometry().center());

    const QList<bool> open = {false, false, false, true, true, true, true, true, true};
    compareSeen(see(game),
        {QStringLiteral("Bob Won!"), emptyBoard, open, decoratedColors, true, true, false});
    QCOMPARE(game.platform.boxes.size(), 3);

    game.clickCell(9);
    QCOMPARE(game.cell(9)->text(), QStringLiteral(" X"));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Ann")));
    QCOMPARE(colors(game), decoratedColors);

    // A line completed over the decoration is a win like any other.
    QString announced;
    game.platform.messageAnswers.push_back([&] {
        announced = game.status();
        return int(Platform::No);
    });
    game.clickCells({4, 8, 6, 7}); // O 4, X 8, O 6, X 7: X holds the bottom row
    QCOMPARE(announced, QStringLiteral("Bob Won!"));
    QCOMPARE(game.platform.asked().mid(3), QStringList {QStringLiteral("Play again?")});
    QCOMPARE(colors(game), clearedColors);
    QCOMPARE(game.platform.unexpectedBoxes, 0);
}

// After a forced win over a running game, the win picture takes the clicks
// on its square; the margin of the centre cell around it still takes them.
void TestOutcome::winPictureShieldsTheCentre()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.platform.answer({QStringLiteral("plumo")});
    game.clickAt(game.hiddenLabel()->geometry().center());
    QVERIFY(game.winPicture()->isVisible());

    game.clickAt(QPoint(108, 125)); // the picture's top left pixel, transparent
    game.clickAt(QPoint(124, 141)); // its middle
    QCOMPARE(game.cell(5)->text(), QString());
    QCOMPARE(game.status(), QStringLiteral("Ann Won!"));

    game.clickAt(QPoint(100, 116)); // the cell's margin
    QCOMPARE(game.cell(5)->text(), QStringLiteral(" O"));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Bob")));
}

void TestOutcome::newGameKeepsAForcedDecoration()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.platform.answer({QStringLiteral("plumo")});
    game.clickAt(game.hiddenLabel()->geometry().center());
    game.newGame(QStringLiteral("Cyd"), QStringLiteral("Dee"));
    compareSeen(see(game),
        {turnOf(QStringLiteral("Cyd")), emptyBoard, allEnabled, decoratedColors, true, true,
            false});
}

// The cat code ends the game at once, from any state, without a question.
void TestOutcome::catCode_data()
{
    QTest::addColumn<QStringList>("codesBefore");
    QTest::addColumn<QList<int>>("moves");
    QTest::newRow("mid-game") << QStringList() << QList<int> {1, 5, 9};
    QTest::newRow("after the player 1 code")
        << QStringList {QStringLiteral("plumo")} << QList<int> {1};
    QTest::newRow("twice") << QStringList {QStringLiteral("grindlefopsy")} << QList<int> {};
}

void TestOutcome::catCode()
{
    QFETCH(QStringList, codesBefore);
    QFETCH(QList<int>, moves);
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells(moves);
    for (const QString &code : codesBefore) {
        game.platform.answer({code});
        game.clickAt(game.hiddenLabel()->geometry().center());
    }
    game.platform.answer({QStringLiteral("grindlefopsy")});
    game.clickAt(game.hiddenLabel()->geometry().center());

    QCOMPARE(game.platform.asked().mid(2),
        QStringList(codesBefore.size() + 1, QStringLiteral("Password?")));
    compareSeen(see(game), {catText, catFace, allDisabled, clearedColors, false, false, true});

    // The next game brings back the grid and hides the ears.
    game.newGame();
    compareSeen(see(game),
        {turnOf(QStringLiteral("Player 1")), emptyBoard, allEnabled, clearedColors, false, true,
            false});
}

// The player 1 code after the cat code wipes the face and hides the ears;
// the grid stays hidden and the cells closed until the next game.
void TestOutcome::playerOneCodeAfterCatCode()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.platform.answer({QStringLiteral("grindlefopsy"), QStringLiteral("plumo")});
    game.clickAt(game.hiddenLabel()->geometry().center());
    game.clickAt(game.hiddenLabel()->geometry().center());
    compareSeen(see(game),
        {QStringLiteral("Ann Won!"), emptyBoard, allDisabled, decoratedColors, true, false, false});
}

// Nothing a player or a screen reader can read gives the codes away.
void TestOutcome::codesStayHidden()
{
    GameWindow game;
    QVERIFY(game.show());
    QAccessibleInterface *label = QAccessible::queryAccessibleInterface(game.hiddenLabel());
    const QString readable = game.hiddenLabel()->text() + game.hiddenLabel()->toolTip() +
        game.hiddenLabel()->whatsThis() + game.hiddenLabel()->statusTip() +
        label->text(QAccessible::Name) + label->text(QAccessible::Description) +
        label->text(QAccessible::Help);
    for (const char *code : {"plumo", "trazk", "grindlefopsy"})
        QVERIFY(!readable.contains(QLatin1String(code)));
}

QTEST_MAIN(TestOutcome)
#include "tst_outcome.moc"
