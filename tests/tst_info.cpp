// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The About and Help windows beside the game: one of each, fresh from their
// design after closing, their keys, and the addresses their links hand to
// the shell.

#include "application.h"
#include "gamewindow.h"
#include "info/frmabout.h"
#include "info/frmhelp.h"
#include "modalboxes.h"
#include "platform/systemcolors.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

namespace {
template<class Window>
QList<Window *> openWindows()
{
    QList<Window *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
            found << window;
    }
    return found;
}

template<class Window>
Window *theWindow()
{
    const QList<Window *> windows = openWindows<Window>();
    return windows.size() == 1 ? windows.first() : nullptr;
}

// A real click at a point of a window, reaching whatever is drawn there.
void clickIn(QWidget *window, QPoint point)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
}

// Catches what Qt's own desktop services are asked to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    UrlCatcher()
    {
        for (const char *scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char *scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    QStringList urls;
public slots:
    void open(const QUrl &url) { urls << url.toString(); }
};
// The window's pictures, as assistive tools name them, in the design's order.
QStringList pictureNames(const QWidget *window)
{
    QStringList names;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->pixmap().isNull())
            names << QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
    }
    return names;
}
} // namespace

class TestInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void cleanup()
    {
        // Each test's game window closes its information windows with it.
        QTRY_VERIFY(openWindows<frmAboutTTT>().isEmpty());
        QTRY_VERIFY(openWindows<frmHelp>().isEmpty());
    }

    void oneWindowOfEachKind();
    void aboutAsDesigned();
    void helpAsDesigned();
    void textsFitTheirLabels();
    void closedWindowComesBackFresh();
    void aboutClosesWithEnterAndEscape_data();
    void aboutClosesWithEnterAndEscape();
    void helpStaysOpenOnEscape();
    void linksHandTheShellTheirAddresses();
    void qtOpensTheSameAddresses();
    void restOfHelpOpensNothing();
    void doubleClickIsOneClick();
    void gamePlaysOnBesideThem();
    void exitLeavesThemOpen();
    void modalBoxBlocksThem();
};

void TestInfo::oneWindowOfEachKind()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuAbout")->trigger();
    game.action("mnuMenuAbout")->trigger();
    game.action("mnuMenuHelp")->trigger();
    game.action("mnuMenuHelp")->trigger();
    QCOMPARE(openWindows<frmAboutTTT>().size(), 1);
    QCOMPARE(openWindows<frmHelp>().size(), 1);
    // Neither has an owner: both are top-level windows of their own.
    QVERIFY(theWindow<frmAboutTTT>()->isWindow() && !theWindow<frmAboutTTT>()->parentWidget());
    QVERIFY(!theWindow<frmHelp>()->parentWidget());
    QVERIFY(!theWindow<frmAboutTTT>()->isModal());
}

void TestInfo::aboutAsDesigned()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuAbout")->trigger();
    frmAboutTTT *about = theWindow<frmAboutTTT>();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowExposed(about));

    QCOMPARE(about->windowTitle(), QStringLiteral("About Tic Tac Toe"));
    QCOMPARE(about->geometry(), QRect(156, 129, 288, 155));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    const Qt::WindowFlags flags = about->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(about->windowIcon().pixmap(32, 32).toImage().pixel(9, 15), qRgb(0, 0, 0));

    const auto label = [about](const char *name) {
        return about->findChild<ClassicLabel *>(QLatin1String(name));
    };
    QCOMPARE(label("lblTitle")->text(), QStringLiteral("Tic Tac Toe"));
    QCOMPARE(label("lblVersion")->text(), QStringLiteral("Version 1.1"));
    QCOMPARE(label("lblDescription")->text(), QStringLiteral("By Pelko"));
    QVERIFY(label("lblDisclaimer")->text().contains(QStringLiteral("copy")));
    QCOMPARE(label("lblTitle")->geometry(), QRect(70, 8, 195, 16));
    QCOMPARE(label("lblVersion")->geometry(), QRect(70, 40, 195, 15));
    QCOMPARE(label("lblDescription")->geometry(), QRect(70, 72, 195, 14));
    QCOMPARE(label("lblDisclaimer")->geometry(), QRect(8, 111, 185, 31));
    QCOMPARE(label("lblTitle")->foreColor(), FixedColor::Black);
    QCOMPARE(label("lblVersion")->foreColor(), SystemColor::ButtonText);

    auto *button = about->findChild<QPushButton *>(QStringLiteral("cmdOK"));
    QCOMPARE(button->text(), QStringLiteral("Close About"));
    QCOMPARE(button->geometry(), QRect(192, 112, 84, 31));
    QVERIFY(button->isDefault());
    QCOMPARE(QApplication::focusWidget(), button);

    QCOMPARE(
        about->findChild<QLabel *>(QStringLiteral("picIcon"))->geometry(), QRect(16, 8, 32, 32));
    QCOMPARE(
        about->findChild<QLabel *>(QStringLiteral("Picture1"))->geometry(), QRect(16, 56, 32, 32));
    // Screen readers name the pictures after what they show.
    QCOMPARE(pictureNames(about),
        QStringList({QStringLiteral("Monogram"), QStringLiteral("Tic-tac-toe grid")}));

    // The grey separator across the window.
    const QImage shot = about->grab().toImage();
    const qreal ratio = about->devicePixelRatioF();
    QCOMPARE(shot.pixel(int(100 * ratio), int(99 * ratio)), qRgb(0x80, 0x80, 0x80));
    QCOMPARE(shot.pixel(int(6 * ratio), int(99 * ratio)), qRgb(0x80, 0x80, 0x80));
    QVERIFY(shot.pixel(int(100 * ratio), int(100 * ratio)) != qRgb(0x80, 0x80, 0x80));
}

void TestInfo::helpAsDesigned()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuHelp")->trigger();
    frmHelp *help = theWindow<frmHelp>();
    QVERIFY(help);
    QCOMPARE(help->windowTitle(), QStringLiteral("Pelko's Games Help"));
    QCOMPARE(help->size(), QSize(246, 126));

    const auto label = [help](const char *name) {
        return help->findChild<ClassicLabel *>(QLatin1String(name));
    };
    QCOMPARE(label("Label1")->text(),
        QStringLiteral("For help with any of Pelko's Games, please visit his website."));
    QCOMPARE(label("Label2")->text(),
        QStringLiteral("You may also e-mail Pelko with any questions, comments, or suggestions."));
    QCOMPARE(label("lbladdress")->geometry(), QRect(48, 40, 193, 17));
    QCOMPARE(label("lblemail")->geometry(), QRect(48, 96, 105, 17));
    for (const char *link : {"lbladdress", "lblemail"}) {
        QCOMPARE(label(link)->foreColor(), SystemColor::Highlight);
        QCOMPARE(label(link)->cursor().shape(), Qt::BitmapCursor);
        QVERIFY(!label(link)->font().underline());
    }
    QCOMPARE(label("Label1")->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(label("lbladdress")->text().startsWith(QStringLiteral("http://")));
    QVERIFY(label("lbladdress")->text().endsWith(QLatin1Char('/')));
    QVERIFY(label("lblemail")->text().endsWith(QStringLiteral(".example")));
    QVERIFY(label("lbladdress")->text().contains(QStringLiteral(".example/")));

    auto *button = help->findChild<QPushButton *>(QStringLiteral("Command1"));
    QCOMPARE(button->text(), QStringLiteral("Close Help"));
    QCOMPARE(button->geometry(), QRect(168, 104, 73, 17));
    QVERIFY(!button->isDefault());
    QCOMPARE(pictureNames(help), QStringList({QStringLiteral("Monogram"), QStringLiteral("Help")}));
}

// Every caption of both windows fits its label, the links on one line.
void TestInfo::textsFitTheirLabels()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuAbout")->trigger();
    game.action("mnuMenuHelp")->trigger();
    const QList<QWidget *> windows = {theWindow<frmAboutTTT>(), theWindow<frmHelp>()};
    for (QWidget *window : windows) {
        for (ClassicLabel *label : window->findChildren<ClassicLabel *>()) {
            const QFontMetrics metrics(label->font());
            const QRect needed = metrics.boundingRect(
                QRect(QPoint(), label->size()), Qt::TextWordWrap, label->text());
            QVERIFY2(needed.height() <= label->height() && needed.width() <= label->width(),
                qPrintable(label->objectName()));
        }
    }
    const auto *email = theWindow<frmHelp>()->findChild<ClassicLabel *>(QStringLiteral("lblemail"));
    QVERIFY(QFontMetrics(email->font()).horizontalAdvance(email->text()) <= email->width());
}

// A closed window is freed, and the next command builds it from its design.
void TestInfo::closedWindowComesBackFresh()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuAbout")->trigger();
    QPointer<frmAboutTTT> first = theWindow<frmAboutTTT>();
    first->move(400, 400);
    first->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    QTRY_VERIFY(!first);

    game.action("mnuMenuAbout")->trigger();
    QVERIFY(theWindow<frmAboutTTT>());
    QCOMPARE(theWindow<frmAboutTTT>()->geometry(), QRect(156, 129, 288, 155));

    game.action("mnuMenuHelp")->trigger();
    QPointer<frmHelp> help = theWindow<frmHelp>();
    help->resize(400, 300);
    help->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    QTRY_VERIFY(!help);
    game.action("mnuMenuHelp")->trigger();
    QCOMPARE(theWindow<frmHelp>()->size(), QSize(246, 126));
    theWindow<frmAboutTTT>()->close();
    theWindow<frmHelp>()->close();

    // Asked for again while the closed ones wait to be deleted: live windows.
    game.action("mnuMenuAbout")->trigger();
    game.action("mnuMenuHelp")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(theWindow<frmAboutTTT>() && theWindow<frmAboutTTT>()->isVisible());
    QVERIFY(theWindow<frmHelp>() && theWindow<frmHelp>()->isVisible());
    theWindow<frmAboutTTT>()->close();
    theWindow<frmHelp>()->close();
}

void TestInfo::aboutClosesWithEnterAndEscape_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestInfo::aboutClosesWithEnterAndEscape()
{
    QFETCH(int, key);
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuAbout")->trigger();
    QPointer<frmAboutTTT> about = theWindow<frmAboutTTT>();
    QVERIFY(QTest::qWaitForWindowActive(about));
    QTest::keyClick(about->windowHandle(), Qt::Key(key));
    QTRY_VERIFY(!about);
    QVERIFY(game.window.isVisible());
}

void TestInfo::helpStaysOpenOnEscape()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuHelp")->trigger();
    frmHelp *help = theWindow<frmHelp>();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
    QTest::keyClick(help->windowHandle(), Qt::Key_Return);
    // Keys reach the window at once; a close would have hidden it.
    QVERIFY(help->isVisible());
    QCOMPARE(theWindow<frmHelp>(), help);
    QVERIFY(game.platform.opened.isEmpty());
}

// The website link hands the shell its caption followed by "index.html";
// the e-mail link hands it "mailto:" followed by its caption.
void TestInfo::linksHandTheShellTheirAddresses()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuHelp")->trigger();
    frmHelp *help = theWindow<frmHelp>();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    auto *address = help->findChild<ClassicLabel *>(QStringLiteral("lbladdress"));
    auto *email = help->findChild<ClassicLabel *>(QStringLiteral("lblemail"));

    clickIn(help, address->geometry().center());
    clickIn(help, email->geometry().topLeft() + QPoint(2, 2));
    clickIn(help, address->geometry().bottomRight() - QPoint(2, 2));
    QCOMPARE(game.platform.opened,
        (QStringList {address->text() + QStringLiteral("index.html"),
            QStringLiteral("mailto:") + email->text(),
            address->text() + QStringLiteral("index.html")}));
}

// Through Qt's own desktop services, the same addresses arrive unchanged.
void TestInfo::qtOpensTheSameAddresses()
{
    UrlCatcher catcher;
    QtPlatform platform;
    frmHelp *help = new frmHelp(platform);
    help->show();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    clickIn(
        help, help->findChild<ClassicLabel *>(QStringLiteral("lbladdress"))->geometry().center());
    clickIn(help, help->findChild<ClassicLabel *>(QStringLiteral("lblemail"))->geometry().center());
    QCOMPARE(catcher.urls,
        (QStringList {QStringLiteral("http://pelko.example/games/index.html"),
            QStringLiteral("mailto:pelko@pelko.example")}));
    help->close();
}

void TestInfo::restOfHelpOpensNothing()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuHelp")->trigger();
    frmHelp *help = theWindow<frmHelp>();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    for (const char *name : {"Label1", "Label2", "Picture1", "Picture2"})
        clickIn(help, help->findChild<QWidget *>(QLatin1String(name))->geometry().center());
    clickIn(help, QPoint(4, 120)); // the empty window
    clickIn(help, QPoint(160, 100)); // right of the e-mail link
    QVERIFY(game.platform.opened.isEmpty());
    QCOMPARE(theWindow<frmHelp>(), help);
}

// A double-click opened a link twice: Qt takes its second press for a new
// press. The hidden label beside the board asked for the password twice.
void TestInfo::doubleClickIsOneClick()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuHelp")->trigger();
    frmHelp *help = theWindow<frmHelp>();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    for (const char *link : {"lbladdress", "lblemail"}) {
        QTest::mouseDClick(help->windowHandle(), Qt::LeftButton, {},
            help->findChild<ClassicLabel *>(QLatin1String(link))->geometry().center());
    }
    QCOMPARE(game.platform.opened,
        (QStringList {QStringLiteral("http://pelko.example/games/index.html"),
            QStringLiteral("mailto:pelko@pelko.example")}));

    QVERIFY(game.activate());
    game.platform.answer({QStringLiteral("grindlefopsy")});
    QTest::mouseDClick(game.window.windowHandle(), Qt::LeftButton, {},
        game.toWindow(game.hiddenLabel()->geometry().center()));
    QCOMPARE(game.platform.asked(), QStringList {QStringLiteral("Password?")});
}

void TestInfo::gamePlaysOnBesideThem()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuAbout")->trigger();
    game.action("mnuMenuHelp")->trigger();
    QVERIFY(game.activate());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells({5, 1});
    QCOMPARE(game.board().mid(0, 5),
        (QStringList {QStringLiteral(" X"), {}, {}, {}, QStringLiteral(" O")}));
    QCOMPARE(game.status(), turnOf(QStringLiteral("Ann")));
    QVERIFY(theWindow<frmAboutTTT>() && theWindow<frmHelp>());
}

// Exit closes the main window only.
void TestInfo::exitLeavesThemOpen()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuAbout")->trigger();
    game.action("mnuMenuHelp")->trigger();
    game.action("mnuMenuExit")->trigger();
    QVERIFY(!game.window.isVisible());
    QVERIFY(theWindow<frmAboutTTT>());
    QVERIFY(theWindow<frmHelp>());
}

// While a box of the game is open, the information windows take no input.
void TestInfo::modalBoxBlocksThem()
{
    GameWindow game;
    QVERIFY(game.show());
    game.action("mnuMenuAbout")->trigger();
    game.action("mnuMenuHelp")->trigger();
    frmAboutTTT *about = theWindow<frmAboutTTT>();
    frmHelp *help = theWindow<frmHelp>();
    ModalBoxes boxes;
    boxes.whenOpens([&](QDialog *box) {
        clickIn(
            about, about->findChild<QPushButton *>(QStringLiteral("cmdOK"))->geometry().center());
        clickIn(
            help, help->findChild<ClassicLabel *>(QStringLiteral("lblemail"))->geometry().center());
        box->reject();
    });
    game.platform.realMessageBox(QStringLiteral("Play again?"), Platform::YesNo);
    QCOMPARE(theWindow<frmAboutTTT>(), about);
    QVERIFY(game.platform.opened.isEmpty());
}

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
