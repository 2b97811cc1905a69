// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmabout.h"

#include "controls/classiclabel.h"
#include "controls/lineshape.h"
#include "controls/picturebox.h"
#include "controls/twips.h"
#include "platform/fonts.h"
#include "platform/platform.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include <functional>

frmAboutTTT::frmAboutTTT(Platform &platform)
    : QWidget(nullptr,
          // A tool window keeps it out of the taskbar; only a close button.
          Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmAboutTTT"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Tool windows do not keep the program running by default; this one
    // does, like any other window of the game.
    setAttribute(Qt::WA_QuitOnClose);
    setWindowTitle(QStringLiteral("About Tic Tac Toe"));
    setWindowIcon(pictureIcon(Picture::Grid));
    setFont(dialogFont());
    const QRect client = twipsRect(2340, 1935, 4320, 2325);
    setGeometry(client);
    setFixedSize(client.size());

    // In tab order: the button first, so it has the keyboard.
    cmdOK = new QPushButton(QStringLiteral("Close About"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(2880, 1680, 1260, 465));
    cmdOK->setDefault(true);
    connectCommand(
        cmdOK, &QPushButton::clicked, this, std::bind_front(&frmAboutTTT::cmdOK_Click, this));

    picIcon = pictureBox(this, QStringLiteral("picIcon"), Picture::Monogram, 240, 120);
    picIcon->setAccessibleName(QStringLiteral("Monogram"));

    lblDescription = new ClassicLabel(this, QStringLiteral("lblDescription"),
        twipsRect(1050, 1080, 2925, 210), QStringLiteral("By Pelko"));
    lblDescription->setForeColor(FixedColor::Black);

    lblDisclaimer =
        new ClassicLabel(this, QStringLiteral("lblDisclaimer"), twipsRect(120, 1665, 2775, 465),
            QStringLiteral("Do not copy or distribute this game without Pelko's permission."));
    lblDisclaimer->setForeColor(FixedColor::Black);

    lblTitle = new ClassicLabel(this, QStringLiteral("lblTitle"), twipsRect(1050, 120, 2925, 240),
        QStringLiteral("Tic Tac Toe"));
    lblTitle->setForeColor(FixedColor::Black);

    lblVersion = new ClassicLabel(this, QStringLiteral("lblVersion"),
        twipsRect(1050, 600, 2925, 225), QStringLiteral("Version 1.1"));

    Picture1 = pictureBox(this, QStringLiteral("Picture1"), Picture::Grid, 240, 840);
    Picture1->setAccessibleName(QStringLiteral("Tic-tac-toe grid"));

    Line1 = new LineShape(this, 90, 1485, 4080, 1485, 1, FixedColor::Gray);
    Line1->setObjectName(QStringLiteral("Line1"));

    // The button is the window's default and cancel button alike.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        new QShortcut(key, this, cmdOK, &QPushButton::click);
    cmdOK->setFocus();
}

// Closes the About window; the next About command builds it anew.
void frmAboutTTT::cmdOK_Click()
{
    m_platform.unloadWindow(this);
}

// Some window managers give the window a minimise button all the same. With
// no taskbar entry, a minimised About could not be found again: it comes
// straight back.
void frmAboutTTT::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
}
