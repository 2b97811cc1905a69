// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace {
// Boxes belong to the active window, so the window manager keeps them above
// it and centres them on it; they block every window of the program alike.
QWidget *boxParent()
{
    return QApplication::activeWindow();
}
} // namespace

QString QtPlatform::inputBox(const QString &prompt, const QString &defaultText)
{
    // On the heap and watched: should its parent go while the box is open,
    // the box goes with it and must not be deleted twice.
    QPointer<QInputDialog> box = new QInputDialog(boxParent());
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowTitle(applicationTitle);
    box->setInputMode(QInputDialog::TextInput);
    box->setLabelText(prompt);
    box->setTextValue(defaultText);
    const bool accepted = box->exec() == QDialog::Accepted;
    if (!box)
        return QString();
    const QString entry = accepted ? box->textValue() : QString();
    delete box;
    return entry;
}

int QtPlatform::messageBox(const QString &text, Buttons buttons)
{
    QPointer<QMessageBox> box = new QMessageBox(boxParent());
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowTitle(applicationTitle);
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    QPushButton *yes = nullptr;
    if (buttons == YesNo) {
        yes = box->addButton(QMessageBox::Yes);
        box->addButton(QMessageBox::No);
        box->setDefaultButton(yes);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    box->exec();
    if (!box)
        return buttons == YesNo ? No : OK;
    const bool saidYes = yes && box->clickedButton() == yes;
    delete box;
    if (buttons == YesNo)
        return saidYes ? Yes : No;
    return OK;
}

void QtPlatform::showWindow(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void QtPlatform::unloadWindow(QWidget *window)
{
    window->close();
}

void QtPlatform::shellOpen(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
}
