// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game under a light, a dark and GNOME's high-contrast palette: its
// colours follow the palette, and marks and texts stay readable on their
// cells. And GNOME's Large Text, where the game has to follow it itself.
// GNOME's settings come from GSettings' memory backend (see CMakeLists.txt).

#include "application.h"
#include "darkpalette.h"
#include "gamewindow.h"
#include "info/frmabout.h"
#include "platform/desktopsettings.h"
#include "platform/systemcolors.h"

#include <QApplication>

#include <cmath>

using namespace Qt::StringLiterals;

// GIO names a member after Qt's "signals" keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace {
// Changes one of GNOME's settings as its control centre does.
void setGnomeSetting(const char *schema, const char *key, GVariant *value)
{
    GSettings *settings = g_settings_new(schema);
    QVERIFY(g_settings_set_value(settings, key, value));
    g_object_unref(settings);
    QCoreApplication::processEvents(); // the switch, then the new palette
    QCoreApplication::processEvents();
}

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
    void textScaling_data();
    void textScaling();

private:
    QPalette m_original;
};

enum class Scheme { Light, Dark, DarkInAGame, HighContrastInAGame };

void TestPalette::readable_data()
{
    QTest::addColumn<Scheme>("scheme");
    QTest::addColumn<double>("textContrast");
    QTest::newRow("light") << Scheme::Light << 4.5;
    QTest::newRow("dark") << Scheme::Dark << 4.5;
    QTest::newRow("dark, switched to in a game") << Scheme::DarkInAGame << 4.5;
    QTest::newRow("GNOME's High Contrast, switched on in a game")
        << Scheme::HighContrastInAGame << 7.0;
}

void TestPalette::readable()
{
    QFETCH(Scheme, scheme);
    QFETCH(double, textContrast);
    const QPalette desktop = QApplication::palette();
    if (scheme == Scheme::Dark)
        QApplication::setPalette(darkPalette());
    GameWindow game;
    QVERIFY(game.show());
    game.newGame(QStringLiteral("Ann"), QStringLiteral("Bob"));
    game.clickCells({1, 2});
    // The keyboard's frame on an empty cell.
    QTest::keyClick(game.window.windowHandle(), Qt::Key_Tab);
    QTest::keyClick(game.window.windowHandle(), Qt::Key_Right);
    QTest::keyClick(game.window.windowHandle(), Qt::Key_Right);
    QVERIFY(game.cell(3)->hasFocusMark());
    if (scheme == Scheme::DarkInAGame) {
        // A new palette reaches the windows through the event loop.
        QApplication::setPalette(darkPalette());
        QCoreApplication::processEvents();
    }
    if (scheme == Scheme::HighContrastInAGame) {
        setGnomeSetting(
            "org.gnome.desktop.a11y.interface", "high-contrast", g_variant_new_boolean(true));
        const QPalette highContrast = DesktopSettings::highContrastPalette();
        for (const auto role : {QPalette::Button, QPalette::WindowText, QPalette::Highlight})
            QCOMPARE(QApplication::palette().color(role), highContrast.color(role));
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
    QVERIFY(contrastRatio(shot.pixelColor(60, 112), shot.pixelColor(40, 56)) >= 3);
    const QRect frameCell = game.cell(3)->geometry();
    QVERIFY(contrastRatio(shot.pixelColor(frameCell.center().x(), frameCell.top() + 2),
                shot.pixelColor(frameCell.center())) >= 3);

    // Played marks, greyed on their disabled cells, and the status text.
    for (int n : {1, 2}) {
        const QRect cell = game.cell(n)->geometry().adjusted(2, 2, -2, -2);
        QVERIFY2(inkContrast(shot, cell, face) >= textContrast, qPrintable(game.cell(n)->text()));
        QVERIFY(!game.cell(n)->isEnabled());
    }
    QVERIFY(inkContrast(shot, game.message()->geometry(), face) >= textContrast);
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
    QVERIFY(inkContrast(aboutShot, aboutShot.rect(), title->resolvedBackColor()) >= textContrast);
    about->close();

    if (scheme == Scheme::HighContrastInAGame) {
        // Switched off, the desktop's own palette is back.
        setGnomeSetting(
            "org.gnome.desktop.a11y.interface", "high-contrast", g_variant_new_boolean(false));
        for (const auto role : {QPalette::Button, QPalette::WindowText, QPalette::Highlight})
            QCOMPARE(QApplication::palette().color(role), desktop.color(role));
        QCOMPARE(game.window.centralWidget()->grab().toImage().pixel(40, 56),
            desktop.color(QPalette::Button).rgb());
    }
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

// GNOME's Large Text makes the whole program larger where Qt does not follow
// it itself: on Wayland, unless the user gave Qt a factor of their own.
// Nothing else, and no value that makes no sense, changes anything.
void TestPalette::textScaling_data()
{
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("platformArgument");
    QTest::addColumn<double>("factor");
    QTest::addColumn<QString>("scale");
    const QString gnomeOnWayland = u"XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland"_s;
    QTest::newRow("GNOME on Wayland") << gnomeOnWayland << QString() << 1.5 << u"1.5"_s;
    QTest::newRow("an Ubuntu desktop")
        << u"XDG_CURRENT_DESKTOP=ubuntu:GNOME XDG_SESSION_TYPE=wayland"_s << QString() << 1.25
        << u"1.25"_s;
    QTest::newRow("Wayland asked of Qt")
        << u"XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORM=wayland"_s << QString() << 2.0 << u"2"_s;
    QTest::newRow("X11, where Xft.dpi carries it")
        << u"XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=x11"_s << QString() << 1.5 << QString();
    QTest::newRow("X11 asked of Qt")
        << gnomeOnWayland + u" QT_QPA_PLATFORM=xcb"_s << QString() << 1.5 << QString();
    QTest::newRow("X11 asked on the command line")
        << gnomeOnWayland << u"xcb"_s << 1.5 << QString();
    QTest::newRow("the user's own factor wins")
        << gnomeOnWayland + u" QT_SCALE_FACTOR=1.25"_s << QString() << 1.5 << u"1.25"_s;
    QTest::newRow("the user's factors for screens win")
        << gnomeOnWayland + u" QT_SCREEN_SCALE_FACTORS=2"_s << QString() << 1.5 << QString();
    QTest::newRow("Plasma") << u"XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland"_s << QString()
                            << 1.5 << QString();
    QTest::newRow("no Large Text") << gnomeOnWayland << QString() << 1.0 << QString();
    QTest::newRow("not a number") << gnomeOnWayland << QString() << std::nan("") << QString();
}

void TestPalette::textScaling()
{
    QFETCH(QString, environment);
    QFETCH(QString, platformArgument);
    QFETCH(double, factor);
    QFETCH(QString, scale);
    setGnomeSetting(
        "org.gnome.desktop.interface", "text-scaling-factor", g_variant_new_double(factor));
    const char *const variables[] = {"XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM",
        "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"};
    QList<QByteArray> saved;
    for (const char *variable : variables) {
        saved << qgetenv(variable);
        qunsetenv(variable);
    }
    for (const QString &setting : environment.split(u' '))
        qputenv(setting.section(u'=', 0, 0).toLatin1(), setting.section(u'=', 1).toLatin1());

    QByteArray program("tictactoe"), option("-platform"), platform = platformArgument.toLatin1();
    char *arguments[] = {program.data(), option.data(), platform.data(), nullptr};
    DesktopSettings::followTextScaling(platform.isEmpty() ? 1 : 3, arguments);
    const QString followed = qEnvironmentVariable("QT_SCALE_FACTOR");

    for (const char *variable : variables) {
        const QByteArray value = saved.takeFirst();
        if (value.isNull())
            qunsetenv(variable);
        else
            qputenv(variable, value);
    }
    QCOMPARE(followed, scale);
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
