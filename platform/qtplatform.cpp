// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtplatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QUrl>

namespace {
// Window managers draw the title in a bold face between the icon and three
// buttons: a box only as wide as "Password incorrect." gets "Ti...e".
constexpr int minimumBoxWidth = 200;

// What every box has: it blocks every window of the program alike, bears
// the application title and its owner's icon, and is wide enough for the
// title to be read.
void dressBox(QDialog *box)
{
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowTitle(applicationTitle);
    if (const QWidget *owner = box->parentWidget())
        box->setWindowIcon(owner->windowIcon());
    box->setMinimumWidth(minimumBoxWidth);
}
} // namespace

void QtPlatform::setBoxOwner(QWidget *window)
{
    m_boxOwner = window;
}

// The game window while it is shown. Without one, the active window: right
// after a box closes there is none, and the next box would open anywhere.
QWidget *QtPlatform::boxOwner() const
{
    if (m_boxOwner && m_boxOwner->isVisible())
        return m_boxOwner;
    return QApplication::activeWindow();
}

QString QtPlatform::runInputBox(const QString &prompt, const QString &defaultText)
{
    // On the heap and watched: should its owner go while the box is open,
    // the box goes with it and must not be deleted twice.
    QPointer<QInputDialog> box = new QInputDialog(boxOwner());
    dressBox(box);
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

int QtPlatform::runMessageBox(const QString &text, Buttons buttons)
{
    QPointer<QMessageBox> box = new QMessageBox(boxOwner());
    dressBox(box);
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The screen reader of Qt 6.8's desktops (Orca 48 on Debian 13) reads a
    // box's description, and skips a label of fewer than three words: without
    // it "Play again?" goes unsaid. Orca 43, with Qt 6.4, reads the label itself,
    // and would say the text twice.
    box->setAccessibleDescription(text);
#endif
    QPushButton *yes = nullptr;
    if (buttons == YesNo) {
        yes = box->addButton(QMessageBox::Yes);
        box->addButton(QMessageBox::No);
        box->setDefaultButton(yes);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    // A message box sizes itself to its contents and ignores a minimum
    // width; a strut across its layout widens it.
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
        grid->addItem(
            new QSpacerItem(minimumBoxWidth, 0), grid->rowCount(), 0, 1, grid->columnCount());
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
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void QtPlatform::unloadWindow(QWidget *window)
{
    window->close();
}

// The opener starts in the root folder, so that neither it nor the browser
// or mail program it starts keeps the player's folder busy.
void QtPlatform::shellOpen(const QString &address)
{
    const QString folder = QDir::currentPath();
    QDir::setCurrent(QDir::rootPath());
    QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
    QDir::setCurrent(folder);
}
