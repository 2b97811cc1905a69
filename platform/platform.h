// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

#include <utility>

// What the game asks of the desktop: modal boxes, showing and unloading
// windows, and the shell's open operation. Everything that blocks or leaves
// the process goes through here, so tests can answer in its place.
class Platform
{
public:
    // Button sets and answers of the message box.
    enum Buttons { OKOnly = 0, YesNo = 4 };
    enum Answer { OK = 1, Yes = 6, No = 7 };

    virtual ~Platform() = default;

    // The window the boxes belong to: they open over it, the window manager
    // keeps them above it, and they bear its icon.
    virtual void setBoxOwner(QWidget *window) = 0;

    // Modal, with OK and Cancel, titled with the application title. Returns
    // the entry on OK and an empty text on Cancel.
    QString inputBox(const QString &prompt, const QString &defaultText = QString())
    {
        const BoxOpen open;
        return runInputBox(prompt, defaultText);
    }

    // Modal, no icon, titled with the application title; Yes is the default
    // button of a Yes/No box. Returns the Answer of the button pressed.
    int messageBox(const QString &text, Buttons buttons = OKOnly)
    {
        const BoxOpen open;
        return runMessageBox(text, buttons);
    }

    // Shows a top-level window modeless and without an owner; one already
    // shown comes back restored if it was minimised, and in front.
    virtual void showWindow(QWidget *window) = 0;

    // Closes a window; one marked to be deleted on close is freed.
    virtual void unloadWindow(QWidget *window) = 0;

    // Hands an address (http: or mailto:) to the desktop's own opener, which
    // starts in the root folder. The result is not reported: where nothing
    // can open it, nothing happens.
    virtual void shellOpen(const QString &address) = 0;

    // Carries a command out where the user could give it: never behind one
    // of the program's boxes. The mouse and the keys cannot reach a window
    // behind a box, but an assistive tool's press can; every command passes
    // this one rule, however it is given.
    template<class Command>
    static void runCommand(const Command &command)
    {
        if (openBoxes == 0)
            command();
    }

protected:
    // The boxes themselves, counted as open for as long as they run.
    virtual QString runInputBox(const QString &prompt, const QString &defaultText) = 0;
    virtual int runMessageBox(const QString &text, Buttons buttons) = 0;

private:
    class BoxOpen
    {
    public:
        BoxOpen() { ++openBoxes; }
        ~BoxOpen() { --openBoxes; }
        BoxOpen(const BoxOpen &) = delete;
        BoxOpen &operator=(const BoxOpen &) = delete;
    };

    static inline int openBoxes = 0;
};

// Connects a command to what gives it (a menu item, a button, a label's
// click): it runs only where the user could give it (see runCommand).
template<class Sender, class Signal, class Command>
void connectCommand(Sender *sender, Signal signal, const QObject *context, Command command)
{
    QObject::connect(
        sender, signal, context, [command = std::move(command)] { Platform::runCommand(command); });
}

// The title borne by every box.
inline const QString applicationTitle = QStringLiteral("TicTacToe");
