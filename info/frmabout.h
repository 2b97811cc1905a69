// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class ClassicLabel;
class LineShape;
class Platform;
class QLabel;
class QPushButton;

// The About window: the game's name, version and author, and a warning
// against copying. A small fixed window with no owner; "Close About", Enter
// and Esc close it, and it is freed on closing.
class frmAboutTTT : public QWidget
{
    Q_OBJECT

public:
    explicit frmAboutTTT(Platform &platform);

    void cmdOK_Click();

protected:
    void changeEvent(QEvent *event) override;

private:
    Platform &m_platform;

    // The button, the texts, the two pictures and the line above the warning.
    QPushButton *cmdOK = nullptr;
    ClassicLabel *lblDescription = nullptr, *lblDisclaimer = nullptr;
    ClassicLabel *lblTitle = nullptr, *lblVersion = nullptr;
    QLabel *picIcon = nullptr, *Picture1 = nullptr;
    LineShape *Line1 = nullptr;
};
