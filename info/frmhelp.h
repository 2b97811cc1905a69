// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class ClassicLabel;
class Platform;
class QLabel;
class QPushButton;

// The Help window: where to turn for help, with the maker's website and
// e-mail address as links that the shell opens. An ordinary window with no
// owner, freed on closing.
class frmHelp : public QWidget
{
    Q_OBJECT

public:
    explicit frmHelp(Platform &platform);

    void Command1_Click();
    void lbladdress_Click();
    void lblemail_Click();

private:
    Platform &m_platform;

    // The two sentences, the two links below them, the pictures beside
    // them and the button.
    ClassicLabel *Label1 = nullptr, *Label2 = nullptr;
    ClassicLabel *lblemail = nullptr, *lbladdress = nullptr;
    QLabel *Picture1 = nullptr, *Picture2 = nullptr;
    QPushButton *Command1 = nullptr;
};
