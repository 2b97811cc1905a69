// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QObject>

#include <functional>

// Real modal boxes answered from a test. A test holds one of these, and
// every wait it starts ends with it: a test that fails before its box opens
// leaves nothing behind to answer the next test's box, or to write into
// the locals of a test that has ended.
class ModalBoxes
{
public:
    ModalBoxes() = default;
    Q_DISABLE_COPY_MOVE(ModalBoxes)

    // Waits, while a real modal box runs its own event loop, for the box to
    // open, and then hands it to a handler that looks at it and answers it.
    // So that a failing test cannot hang, the box is rejected when the
    // handler returns without having answered it, as a failed check makes
    // it return early. Should no box open within the time-out, the wait
    // ends.
    void whenOpens(std::function<void(QDialog *)> handler, int timeoutMs = 5000);

private:
    QObject m_waits; // the parent of every wait's timer
};
