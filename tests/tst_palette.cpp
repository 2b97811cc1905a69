// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game under a light and a dark desktop palette: its colours follow the
// palette, and marks and texts stay readable on their cells.

#include "application.h"
#include "darkpalette.h"
#include "gamewindow.h"
#include "info/frmabout.h"
#include "platform/systemcolors.h"

#include <QApplication>

namespace {
// The best contrast any pixel of an area has with the area's background:
// that of the text's own colour, where antialiasing leaves it whole.
double inkContrast(const QImage &image, const QRect &area, const QColor &background)
{
    double best = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = qMax(best, contrastRatio(image.pixelColor(x, y), background));
    return best;
}
} // namespace

class TestPalette : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void init() { m_original = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(m_original); }

    void readable_data();
    void readable();
    void readableOn_data();
    void readableOn();

private:
    QPalette m_original;
};

void TestPalette::readable_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("changedWhileRunning");
    QTest::newRow("light") << false << false;
    QTest::newRow("dark") << true << false;
    QTest::newRow("dark, switched to in a game") << true << true;
}

void TestPalette::readable()
{
    QFETCH(bool, dark);
    QFETCH(bool, changedWhileRunning);
    if (dark && !changedWhileRunning)
        QApplication::setPalette(darkPalette());
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells({1, 2});
    if (changedWhileRunning) {
        // A new palette reaches the windows through the event loop.
        QApplication::setPalette(darkPalette());
        QCoreApplication::processEvents();
    }
    const QPalette pal = QApplication::palette();
    const QImage shot = game.window.centralWidget()->grab().toImage();
    QCOMPARE(shot.devicePixelRatio(), 1.0);

    // The colours come from the palette: the board in the button face, the
    // window around it in a shade of it.
    const QColor face = pal.color(QPalette::Button);
    QCOMPARE(shot.pixel(40, 56), face.rgb());
    QCOMPARE(shot.pixel(5, 100), face.darker(120).rgb());
    QCOMPARE(shot.pixel(60, 112), pal.color(QPalette::WindowText).rgb()); // grid line

    // Played marks, greyed on their disabled cells, and the status text.
    for (int n : {1, 2}) {
        const QRect cell = game.cell(n)->geometry().adjusted(2, 2, -2, -2);
        QVERIFY2(inkContrast(shot, cell, face) >= 4.5, qPrintable(game.cell(n)->text()));
        QVERIFY(!game.cell(n)->isEnabled());
    }
    QVERIFY(inkContrast(shot, game.message()->geometry(), face) >= 4.5);
    QVERIFY(game.cell(1)->resolvedTextColor() != game.message()->resolvedTextColor()); // greyed

    // The About window's black texts stay readable on a dark face too.
    game.action("mnuMenuAbout")->trigger();
    auto *about = QApplication::activeWindow()
        ? qobject_cast<frmAboutTTT *>(QApplication::activeWindow())
        : nullptr;
    if (!about) {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<frmAboutTTT *>(widget))
                about = window;
    }
    QVERIFY(about);
    auto *title = about->findChild<ClassicLabel *>(QStringLiteral("lblTitle"));
    const QImage aboutShot = title->grab().toImage();
    QVERIFY(inkContrast(aboutShot, aboutShot.rect(), title->resolvedBackColor()) >= 4.5);
    about->close();
}

// Text colours are kept as they are where they read, and moved no further
// than needed where they do not.
void TestPalette::readableOn_data()
{
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("kept");
    QTest::newRow("black on light") << QColor(Qt::black) << QColor(0xef, 0xef, 0xef) << true;
    QTest::newRow("grey on light") << QColor(0xbe, 0xbe, 0xbe) << QColor(0xef, 0xef, 0xef) << false;
    QTest::newRow("black on dark") << QColor(Qt::black) << QColor(0x35, 0x35, 0x35) << false;
    QTest::newRow("white on dark") << QColor(Qt::white) << QColor(0x35, 0x35, 0x35) << true;
    QTest::newRow("grey on dark") << QColor(0x6e, 0x6e, 0x6e) << QColor(0x35, 0x35, 0x35) << false;
}

void TestPalette::readableOn()
{
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QFETCH(bool, kept);
    const QColor shown = ::readableOn(text, background);
    QVERIFY(contrastRatio(shown, background) >= 4.5);
    QCOMPARE(shown == text, kept);
    if (!kept) // just enough: a twentieth of the way less would not read
        QVERIFY(contrastRatio(shown, background) < 4.5 * 1.5);
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
