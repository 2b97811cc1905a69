// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// What assistive tools are told beyond Qt's defaults: the About and Help
// windows are windows, a link label is a link, and an announcement is a
// notification. Installed once; safe to call again.
void installAccessibleInterfaces();

// A message for screen readers that leaves the focus where it is: a fresh
// notification per message, shown without being drawn. Screen readers
// speak a notification as it appears, and would not speak the changed
// text of a label that has no focus.
class Announcement : public QWidget
{
    Q_OBJECT

public:
    // Replaces the announcement made for the label with one of its text as
    // the label shows it, an access-key "&" left out.
    static void announce(QWidget *label, const QString &text);

private:
    Announcement(QWidget *label, const QString &text);
};
