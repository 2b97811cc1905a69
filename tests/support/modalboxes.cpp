// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modalboxes.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>

namespace {
QDialog *openBox()
{
    auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    return box && box->isVisible() ? box : nullptr;
}
} // namespace

void ModalBoxes::whenOpens(std::function<void(QDialog *)> handler, int timeoutMs)
{
    auto *poll = new QTimer(&m_waits);
    poll->setInterval(10);
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(poll, &QTimer::timeout, [poll, deadline, handler] {
        if (QPointer<QDialog> box = openBox()) {
            poll->deleteLater();
            poll->stop();
            handler(box);
            // A handler whose check failed returned before answering.
            if (box && box->isVisible())
                box->reject();
        } else if (deadline.hasExpired()) {
            // No box came: nothing waits on one, so nothing can hang.
            poll->deleteLater();
            poll->stop();
        }
    });
    poll->start();
}
