// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whatever a player types into the boxes: names and passwords that are long,
// empty, marked up, right to left or full of control characters are taken
// as they are, shown as text, and never grow, break or reshape the window.

#include "application.h"
#include "gamewindow.h"
#include "modalboxes.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QLineEdit>

namespace {
void addHostileRows()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("empty") << QString();
    QTest::newRow("only spaces") << QStringLiteral("     ");
    QTest::newRow("ampersand") << QStringLiteral("&");
    QTest::newRow("two ampersands") << QStringLiteral("&&");
    QTest::newRow("trailing ampersand") << QStringLiteral("Ann&");
    QTest::newRow("bold markup") << QStringLiteral("<b>x</b>");
    QTest::newRow("image markup") << QStringLiteral("<img src=/etc/passwd>");
    QTest::newRow("10,000 characters") << QString(10000, QLatin1Char('m'));
    QTest::newRow("100,000 characters") << QStringLiteral("wide ").repeated(20000);
    QTest::newRow("hebrew") << QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d");
    QTest::newRow("arabic") << QString::fromUtf8("\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85");
    QTest::newRow("emoji") << QString::fromUtf8(
        "\xf0\x9f\x98\xba\xf0\x9f\x90\xb1\xe2\x80\x8d\xf0\x9f\x91\xa4");
    QTest::newRow("combining marks")
        << QString::fromUtf16(u"Z\u030d\u0311\u0310\u0312a\u0303\u0347");
    QTest::newRow("control characters") << QStringLiteral("a\x01\x07\t\n\r\x1b[31mb");
    QTest::newRow("nul") << QString(QChar(u'\0')) + QStringLiteral("x");
    QTest::newRow("lone surrogate") << QString(QChar(0xd800));
}
} // namespace

class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void names_data() { addHostileRows(); }
    void names();
    void passwords_data() { addHostileRows(); }
    void passwords();
    void rightToLeftNameKeepsTheLineInPlace_data();
    void rightToLeftNameKeepsTheLineInPlace();
    void realBoxTakesAnyEntry();
    void closingTheWindowUnderABox();
    void pressDraggedOffIsNoClick();
};

// A hostile name for either player: the texts are the program's own with
// the name as typed, and nothing moves or grows.
void TestHostile::names()
{
    QFETCH(QString, entry);
    for (bool first : {true, false}) {
        GameWindow game;
        QVERIFY(game.show());
        const QSize size = game.window.size();
        const QString other = QStringLiteral("Bob");
        game.newGame(first ? entry : other, first ? other : entry);
        QCOMPARE(game.status(), turnOf(first ? entry : other));
        game.clickCell(5);
        QCOMPARE(game.status(), turnOf(first ? other : entry));
        QCOMPARE(game.cell(5)->text(), QStringLiteral(" O"));

        // Drawing it keeps every control where it is, and the board below
        // the status line looks as it does with a plain name.
        GameWindow plain;
        QVERIFY(plain.show());
        plain.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
        plain.clickCell(5);
        const QRect belowStatus(0, 33, 249, 198);
        QCOMPARE(game.window.centralWidget()->grab(belowStatus).toImage(),
            plain.window.centralWidget()->grab(belowStatus).toImage());
        QCOMPARE(game.window.size(), size);
        QCOMPARE(game.message()->geometry(), QRect(40, 0, 169, 33));
        QCOMPARE(game.cell(5)->geometry(), QRect(96, 112, 57, 57));

        // A screen reader hears the text, markup and all.
        const QString heard =
            QAccessible::queryAccessibleInterface(game.message())->text(QAccessible::Name);
        if (!entry.contains(QLatin1Char('&')))
            QCOMPARE(heard, game.status());

        // A win names the player as typed.
        game.platform.answerMessage(Platform::No);
        game.clickCells({1, 9, 2, 3, 4, 7});
        QCOMPARE(game.platform.asked().last(), QStringLiteral("Play again?"));
        QCOMPARE(game.status(), startText);
        QCOMPARE(game.platform.unexpectedBoxes, 0);
    }
}

// A hostile password is refused like any wrong one and changes nothing else.
void TestHostile::passwords()
{
    QFETCH(QString, entry);
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCell(1);
    game.platform.answer({entry});
    game.platform.answerMessage(Platform::OK);
    game.clickAt(game.hiddenLabel()->geometry().center());
    QCOMPARE(game.platform.asked().mid(2),
        (QStringList {QStringLiteral("Password?"), QStringLiteral("Password incorrect.")}));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Bob")));
    QCOMPARE(game.cell(1)->text(), QStringLiteral(" O"));
    QVERIFY(!game.winPicture()->isVisible());
}

void TestHostile::rightToLeftNameKeepsTheLineInPlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("hebrew") << QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d");
    QTest::newRow("arabic") << QString::fromUtf8("\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85");
}

// With a right-to-left name, "It's" still opens the status line at its
// left edge, as with any other name.
void TestHostile::rightToLeftNameKeepsTheLineInPlace()
{
    QFETCH(QString, name);
    const auto statusShot = [](const QString &player, QImage &shot) {
        GameWindow game;
        QVERIFY(game.show());
        game.newGame(player, QStringLiteral("Bob"));
        shot = game.message()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    QImage latin, rtl;
    statusShot(QStringLiteral("Ann"), latin);
    statusShot(name, rtl);
    const QRect opening(0, 0, 16, 15); // "It's"
    QCOMPARE(rtl.copy(opening), latin.copy(opening));
    QVERIFY(rtl != latin);
}

// The real input box hands back whatever was typed or pasted into it.
void TestHostile::realBoxTakesAnyEntry()
{
    QtPlatform platform;
    const QString typed = QStringLiteral("<b>&amp;</b> ") + QString(5000, QLatin1Char('x'));
    ModalBoxes boxes;
    boxes.whenOpens([&](QDialog *box) {
        auto *field = box->findChild<QLineEdit *>();
        field->setText(typed); // as a paste would
        QTest::keyClick(field, Qt::Key_Return);
    });
    QCOMPARE(platform.inputBox(QStringLiteral("Password?")), typed);
}

// The main window closed while one of its boxes is open: the procedure that
// opened the box finishes on the closed window without harm.
void TestHostile::closingTheWindowUnderABox()
{
    GameWindow game;
    QVERIFY(game.show());
    game.platform.inputAnswers.push_back([&] {
        game.window.close();
        return QStringLiteral("Ann");
    });
    game.platform.answer({QStringLiteral("Bob")});
    QTest::keyClick(&game.window, Qt::Key_F2);
    QVERIFY(!game.window.isVisible());
    QCOMPARE(game.status(), turnOf(QStringLiteral("Ann")));
    QCOMPARE(game.enabledCells(), QList<bool>(9, true));

    // The same with a real box, closed from under it.
    QVERIFY(game.show());
    ModalBoxes boxes;
    boxes.whenOpens([&](QDialog *box) {
        game.window.close();
        box->reject();
    });
    game.platform.realMessageBox(QStringLiteral("Play again?"), Platform::YesNo);
    QVERIFY(!game.window.isVisible());
}

// A press that leaves its control before the button is let go is no click,
// on a cell as on the hidden label.
void TestHostile::pressDraggedOffIsNoClick()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    QWindow *window = game.window.windowHandle();
    const auto dragOff = [&](QWidget *from, QPoint to) {
        QTest::mousePress(window, Qt::LeftButton, {}, game.toWindow(from->geometry().center()));
        QTest::mouseMove(window, game.toWindow(to));
        QTest::mouseRelease(window, Qt::LeftButton, {}, game.toWindow(to));
    };
    dragOff(game.cell(5), game.cell(6)->geometry().center());
    dragOff(game.hiddenLabel(), QPoint(5, 100));
    QCOMPARE(game.board(), QStringList(9, QString()));
    QCOMPARE(game.platform.asked().size(), 2); // the two names only
}

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
