// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class ClassicLabel;

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
    // Announces what the label says, an access-key "&" left out, after the
    // words given as a sentence of their own, in place of what was
    // announced for it before.
    static void announce(ClassicLabel *label, const QString &before = QString());

    // Installs a function called with each message as it goes to Qt, in
    // order, and returns the one it replaces, as Qt's own update handler
    // does: where no screen reader listens, as on Qt's offscreen platform,
    // nothing else hears the messages (Qt hands its own update handler no
    // event where no platform bridge makes accessibility active).
    using Listener = void (*)(const QString &message);
    static Listener installListener(Listener listener);

private:
    explicit Announcement(ClassicLabel *label);
    static void make(ClassicLabel *label, const QString &text);
};
