// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

// Waits, while a real modal box runs its own event loop, for the box to
// open, and then hands it to a handler that looks at it and answers it.
// A box that nobody answers is rejected after a while, so a failing test
// cannot hang.
inline void whenModalBoxOpens(std::function<void(QDialog *)> handler, int timeoutMs = 5000)
{
    auto *poll = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, clock, handler, timeoutMs] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (box && box->isVisible()) {
            poll->stop();
            poll->deleteLater();
            delete clock;
            handler(box);
            return;
        }
        if (clock->elapsed() > timeoutMs) {
            poll->stop();
            poll->deleteLater();
            delete clock;
        }
    });
    poll->start();
}
