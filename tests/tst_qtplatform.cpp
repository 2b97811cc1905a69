// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real boxes: their titles, texts, buttons and answers, and the game
// played through them.

#include "application.h"
#include "gamewindow.h"
#include "modalboxes.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

class TestQtPlatform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void inputBox_data();
    void inputBox();
    void messageBoxYesNo_data();
    void messageBoxYesNo();
    void messageBoxOK();
    void boxesBlockEveryWindow();
    void boxesBelongToTheGameWindow();
    void newGameThroughRealBoxes();
    void unansweredBoxIsRejected();
};

void TestQtPlatform::inputBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected");
    QTest::newRow("OK") << QStringLiteral("Ann") << true << QStringLiteral("Ann");
    QTest::newRow("OK with the default") << QString() << true << QStringLiteral("Player 1");
    QTest::newRow("OK emptied") << QStringLiteral("\b") << true << QString();
    QTest::newRow("Cancel") << QStringLiteral("Ann") << false << QString();
}

void TestQtPlatform::inputBox()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, expected);
    QtPlatform platform;
    QString title, label, shownDefault;
    bool modal = false;
    ModalBoxes boxes;
    boxes.whenOpens([&](QDialog *box) {
        auto *input = qobject_cast<QInputDialog *>(box);
        QVERIFY(input);
        title = box->windowTitle();
        label = input->labelText();
        shownDefault = input->textValue();
        modal = box->windowModality() == Qt::ApplicationModal;
        auto *field = box->findChild<QLineEdit *>();
        if (typed == u"\b") {
            field->clear();
        } else if (!typed.isEmpty()) {
            field->selectAll();
            QTest::keyClicks(field, typed);
        }
        QTest::keyClick(field, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    const QString entry = platform.inputBox(
        QStringLiteral("Please enter your name, Player 1:"), QStringLiteral("Player 1"));
    QCOMPARE(title, QStringLiteral("TicTacToe"));
    QCOMPARE(label, QStringLiteral("Please enter your name, Player 1:"));
    QCOMPARE(shownDefault, QStringLiteral("Player 1"));
    QVERIFY(modal);
    QCOMPARE(entry, expected);
    QVERIFY(!entry.isNull() || expected.isEmpty());
}

void TestQtPlatform::messageBoxYesNo_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("expected");
    QTest::newRow("Enter takes the default") << QStringLiteral("Return") << 6;
    QTest::newRow("Yes") << QStringLiteral("Yes") << 6;
    QTest::newRow("No") << QStringLiteral("No") << 7;
    QTest::newRow("Escape") << QStringLiteral("Escape") << 7;
}

void TestQtPlatform::messageBoxYesNo()
{
    QFETCH(QString, press);
    QFETCH(int, expected);
    QtPlatform platform;
    QString title, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::Warning;
    ModalBoxes boxes;
    boxes.whenOpens([&](QDialog *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        for (QAbstractButton *button : box->buttons())
            buttons << button->text().remove(QLatin1Char('&'));
        buttons.sort();
        if (press == u"Return" || press == u"Escape") {
            QTest::keyClick(box, press == u"Return" ? Qt::Key_Return : Qt::Key_Escape);
        } else {
            box->button(press == u"Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
        }
    });
    QCOMPARE(platform.messageBox(QStringLiteral("Play again?"), Platform::YesNo), expected);
    QCOMPARE(title, QStringLiteral("TicTacToe"));
    QCOMPARE(text, QStringLiteral("Play again?"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, (QStringList {QStringLiteral("No"), QStringLiteral("Yes")}));
}

void TestQtPlatform::messageBoxOK()
{
    QtPlatform platform;
    QString text;
    int buttonCount = 0;
    ModalBoxes boxes;
    boxes.whenOpens([&](QDialog *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        text = box->text();
        buttonCount = int(box->buttons().size());
        QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(platform.messageBox(QStringLiteral("Password incorrect.")), int(Platform::OK));
    QCOMPARE(text, QStringLiteral("Password incorrect."));
    QCOMPARE(buttonCount, 1);
}

// While a box is open, the game window takes no click and no key, and
// assistive tools see one focused object, the box's default button (its row
// of buttons, which passes the focus on, used to say focused too).
void TestQtPlatform::boxesBlockEveryWindow()
{
    GameWindow game;
    QVERIFY(game.show());
    game.newGame();
    QTest::keyClick(game.window.windowHandle(), Qt::Key_Tab); // onto the board
    QStringList focused;
    ModalBoxes boxes;
    boxes.whenOpens([&](QDialog *box) {
        for (QWidget *widget : QApplication::allWidgets()) {
            QAccessibleInterface *object = QAccessible::queryAccessibleInterface(widget);
            if (object && object->state().focused)
                focused << object->text(QAccessible::Name);
        }
        game.clickCell(1);
        QTest::keyClick(game.window.windowHandle(), Qt::Key_F2);
        box->reject();
    });
    game.platform.realMessageBox(QStringLiteral("Play again?"), Platform::YesNo);
    QCOMPARE(focused, QStringList {QStringLiteral("Yes")});
    QCOMPARE(game.cell(1)->text(), QString());
    QCOMPARE(game.platform.boxes.size(), 2); // no further name box
    QCOMPARE(game.status(), turnOf(QStringLiteral("Player 1")));

    // And once it has closed, they do again.
    QVERIFY(game.activate());
    game.clickCell(1);
    QCOMPARE(game.cell(1)->text(), QStringLiteral(" O"));
}

// Every box belongs to the game window, also when no window is active, as
// right after another box closed: it used to open without an owner, away
// from the game, with a generic icon and too narrow for its title.
void TestQtPlatform::boxesBelongToTheGameWindow()
{
    GameWindow game;
    QVERIFY(game.show());
    struct Seen
    {
        QWidget *owner;
        QWindow *transientParent;
        int width;
        qint64 icon;
    };
    QList<Seen> seen;
    const auto look = [&seen](QDialog *box) {
        seen.append({box->parentWidget(), box->windowHandle()->transientParent(), box->width(),
            box->windowIcon().cacheKey()});
        box->reject();
    };
    ModalBoxes boxes;
    boxes.whenOpens(look);
    game.platform.realInputBox(QStringLiteral("Please enter your name, Player 1:"));
    QCOMPARE(QApplication::activeWindow(), nullptr);
    boxes.whenOpens(look);
    game.platform.realMessageBox(QStringLiteral("Password incorrect."));
    boxes.whenOpens(look);
    game.platform.realMessageBox(QStringLiteral("Play again?"), Platform::YesNo);

    QCOMPARE(seen.size(), 3);
    for (const Seen &box : seen) {
        QCOMPARE(box.owner, &game.window);
        QCOMPARE(box.transientParent, game.window.windowHandle());
        QVERIFY2(box.width >= 200, qPrintable(QString::number(box.width)));
        QCOMPARE(box.icon, game.window.windowIcon().cacheKey());
    }
}

// A new game through the real name boxes, answered by typing.
void TestQtPlatform::newGameThroughRealBoxes()
{
    QtPlatform platform;
    frmTicTacToe window(platform);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ModalBoxes boxes;
    boxes.whenOpens([&boxes](QDialog *first) {
        auto *field = first->findChild<QLineEdit *>();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("Ann"));
        boxes.whenOpens([](QDialog *second) {
            QTest::keyClick(second->findChild<QLineEdit *>(), Qt::Key_Escape);
        });
        QTest::keyClick(field, Qt::Key_Return);
    });
    QTest::keyClick(&window, Qt::Key_F2);
    auto *status = window.findChild<ClassicLabel *>(QStringLiteral("lblMessage"));
    QCOMPARE(status->text(), QStringLiteral("It's Ann's turn."));

    auto *cell = window.findChild<ClassicLabel *>(QStringLiteral("Label1"));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
        window.centralWidget()->mapTo(&window, cell->geometry().center()));
    QCOMPARE(cell->text(), QStringLiteral(" O"));
    QCOMPARE(status->text(), QStringLiteral("It's 's turn.")); // player 2 cancelled
}

// A test whose handler returns without answering, as a failed check makes
// it do, leaves no box open to hang on: the box is rejected like Cancel.
// And a wait whose test ended before its box came answers no later box: it
// used to, writing into the ended test's locals.
void TestQtPlatform::unansweredBoxIsRejected()
{
    QtPlatform platform;
    bool answeredAfterItsTest = false;
    {
        ModalBoxes endedTest;
        endedTest.whenOpens([&](QDialog *) { answeredAfterItsTest = true; });
    }
    ModalBoxes boxes;
    boxes.whenOpens([](QDialog *) {});
    QCOMPARE(platform.inputBox(QStringLiteral("Password?"), QStringLiteral("typed")), QString());
    boxes.whenOpens([](QDialog *) {});
    QCOMPARE(
        platform.messageBox(QStringLiteral("Play again?"), Platform::YesNo), int(Platform::No));
    QVERIFY(!answeredAfterItsTest);
}

QTEST_MAIN(TestQtPlatform)
#include "tst_qtplatform.moc"
