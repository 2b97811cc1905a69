// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

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
    virtual QString inputBox(const QString &prompt, const QString &defaultText = QString()) = 0;

    // Modal, no icon, titled with the application title; Yes is the default
    // button of a Yes/No box. Returns the Answer of the button pressed.
    virtual int messageBox(const QString &text, Buttons buttons = OKOnly) = 0;

    // Shows a top-level window modeless and without an owner; one already
    // shown comes back restored if it was minimised, and in front.
    virtual void showWindow(QWidget *window) = 0;

    // Closes a window; one marked to be deleted on close is freed.
    virtual void unloadWindow(QWidget *window) = 0;

    // Hands an address (http: or mailto:) to the desktop's own opener, which
    // starts in the root folder. The result is not reported: where nothing
    // can open it, nothing happens.
    virtual void shellOpen(const QString &address) = 0;

    // Whether one of the program's boxes is open: nothing behind it acts
    // then, whoever presses it (see connectCommand).
    static bool boxOpen() { return openBoxes > 0; }

protected:
    // Held by a box's implementation for as long as the box is open.
    class BoxOpen
    {
    public:
        BoxOpen() { ++openBoxes; }
        ~BoxOpen() { --openBoxes; }
        BoxOpen(const BoxOpen &) = delete;
        BoxOpen &operator=(const BoxOpen &) = delete;
    };

private:
    static inline int openBoxes = 0;
};

// Connects a command to what gives it (a menu item, a button, a label's
// click) so that it runs only where the user could give it: never behind one
// of the program's boxes. The mouse and the keys cannot reach a window behind
// a box, but Qt carries out an assistive tool's press on a menu item at once,
// box or not; every command passes this one rule, whoever gives it.
template<class Sender, class Signal, class Receiver>
void connectCommand(Sender *sender, Signal signal, Receiver *receiver, void (Receiver::*command)())
{
    QObject::connect(sender, signal, receiver, [receiver, command] {
        if (!Platform::boxOpen())
            (receiver->*command)();
    });
}

// The title borne by every box.
inline const QString applicationTitle = QStringLiteral("TicTacToe");
