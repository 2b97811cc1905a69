// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmhelp.h"

#include "controls/classiclabel.h"
#include "controls/linklabel.h"
#include "controls/picturebox.h"
#include "controls/twips.h"
#include "modhelp.h"
#include "platform/fonts.h"
#include "platform/platform.h"

#include <QLabel>
#include <QPushButton>

#include <functional>

frmHelp::frmHelp(Platform &platform)
    : QWidget(nullptr)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Pelko's Games Help"));
    setWindowIcon(pictureIcon(Picture::Help));
    setFont(dialogFont());
    resize(twipsRect(0, 0, 3690, 1890).size()); // placed by the window manager

    Label1 = new ClassicLabel(this, QStringLiteral("Label1"), twipsRect(720, 120, 2535, 495),
        QStringLiteral("For help with any of Pelko's Games, please visit his website."));
    Label2 = new ClassicLabel(this, QStringLiteral("Label2"), twipsRect(720, 960, 2655, 495),
        QStringLiteral("You may also e-mail Pelko with any questions, comments, or suggestions."));

    // The links show the addresses that modhelp opens.
    lblemail = new LinkLabel(this, QStringLiteral("lblemail"), twipsRect(720, 1440, 1575, 255),
        QStringLiteral("pelko@pelko.example"));
    lbladdress = new LinkLabel(this, QStringLiteral("lbladdress"), twipsRect(720, 600, 2895, 255),
        QStringLiteral("http://pelko.example/games/"));
    connectCommand(
        lblemail, &ClassicLabel::clicked, this, std::bind_front(&frmHelp::lblemail_Click, this));
    connectCommand(lbladdress, &ClassicLabel::clicked, this,
        std::bind_front(&frmHelp::lbladdress_Click, this));

    Picture1 = pictureBox(this, QStringLiteral("Picture1"), Picture::Monogram, 120, 240);
    Picture2 = pictureBox(this, QStringLiteral("Picture2"), Picture::Help, 120, 960);
    Picture1->setAccessibleName(QStringLiteral("Monogram"));
    Picture2->setAccessibleName(QStringLiteral("Help"));

    Command1 = new QPushButton(QStringLiteral("Close Help"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(2520, 1560, 1095, 255));
    Command1->setAutoDefault(false);
    connectCommand(
        Command1, &QPushButton::clicked, this, std::bind_front(&frmHelp::Command1_Click, this));

    // The button keeps the focus the window opens with; Tab goes on to the
    // links in reading order, website first, and back to the button.
    setTabOrder(Command1, lbladdress);
    setTabOrder(lbladdress, lblemail);
    Command1->setFocus();
}

// Closes the Help window; the next Help command builds it anew.
void frmHelp::Command1_Click()
{
    m_platform.unloadWindow(this);
}

void frmHelp::lbladdress_Click()
{
    modhelp::OpenWebSite(m_platform);
}

void frmHelp::lblemail_Click()
{
    modhelp::SendMail(m_platform);
}
