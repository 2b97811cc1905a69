// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class ClassicLabel;

// What assistive tools are told beyond Qt's defaults, all in
// accessibility.cpp and installed as the application starts: the About and
// Help windows are windows, a link label is a link, a board cell a button
// named by its place and mark, and an announcement a notification. The
// presses they offer act as a click would, and only where it could.

// A message for screen readers that leaves the focus where it is, made by
// an object with the notification role, which screen readers never pass
// over. From Qt 6.8 on it is Qt's own announcement, made by one such object
// that is never shown. Before, a fresh notification per message is shown
// without being drawn: screen readers speak a notification as it appears,
// and would not speak the changed text of a label that has no focus.
class Announcement : public QWidget
{
    Q_OBJECT

public:
    // Announces what the label says, an access-key "&" left out, in place
    // of what was announced for it before.
    static void announce(ClassicLabel *label);

private:
    explicit Announcement(ClassicLabel *label);
    static void make(ClassicLabel *label, const QString &text);
};
