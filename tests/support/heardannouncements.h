// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "access/announcement.h"

#include <QCoreApplication>
#include <QStringList>

#include <utility>

// What screen readers are told to say, heard for as long as this lives: on
// Qt's offscreen platform nothing else hears it. However the test that made
// it ends, a failed check's early return included, the listener goes with it.
class HeardAnnouncements
{
public:
    HeardAnnouncements()
        : m_previous(Announcement::installListener(&hear))
    {}
    ~HeardAnnouncements()
    {
        Announcement::installListener(m_previous);
        messages().clear();
    }
    HeardAnnouncements(const HeardAnnouncements &) = delete;
    HeardAnnouncements &operator=(const HeardAnnouncements &) = delete;

    // The messages since the last call, in order, once those made when the
    // program waits again are made.
    QStringList take()
    {
        QCoreApplication::processEvents();
        return std::exchange(messages(), {});
    }

private:
    static QStringList &messages()
    {
        static QStringList heard;
        return heard;
    }
    static void hear(const QString &message) { messages() << message; }

    Announcement::Listener m_previous;
};
