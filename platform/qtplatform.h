// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <QPointer>

// The desktop's services on Qt's dialogs and desktop services.
class QtPlatform : public Platform
{
public:
    void setBoxOwner(QWidget *window) override;
    void showWindow(QWidget *window) override;
    void unloadWindow(QWidget *window) override;
    void shellOpen(const QString &address) override;

protected:
    QString runInputBox(const QString &prompt, const QString &defaultText) override;
    int runMessageBox(const QString &text, Buttons buttons) override;

private:
    QWidget *boxOwner() const;

    QPointer<QWidget> m_boxOwner;
};
