// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "announcement.h"

#include "controls/classiclabel.h"
#include "spoken.h"

#include <QAccessible>

#include <utility>

namespace {
Announcement::Listener listener = nullptr;
} // namespace

Announcement::Listener Announcement::installListener(Listener newListener)
{
    return std::exchange(listener, newListener);
}

Announcement::Announcement(ClassicLabel *label)
    : QWidget(label->parentWidget())
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(label->geometry());
    stackUnder(label);
}

// Made once the program waits for input again, and only if the label still
// says it: the move that wins writes "It's Bob's turn." and at once "Ann
// Won!", and only the result is news.
void Announcement::announce(ClassicLabel *label, const QString &before)
{
    QMetaObject::invokeMethod(
        label,
        [label, before, text = label->text()] {
            if (label->text() != text)
                return;
            // The cat's line is set in with spaces, which say nothing.
            const QString said = withoutAccessKeys(text).trimmed();
            make(label, before.isEmpty() ? said : before + QStringLiteral(". ") + said);
        },
        Qt::QueuedConnection);
}

void Announcement::make(ClassicLabel *label, const QString &text)
{
    if (listener)
        listener(text);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt's own announcement, made by a notification that is never shown:
    // a screen reader drops an announcement of any other object that comes
    // within a tenth of a second of the program's last, but not one of a
    // notification.
    auto *announcer =
        label->parentWidget()->findChild<Announcement *>(QString(), Qt::FindDirectChildrenOnly);
    if (!announcer) {
        announcer = new Announcement(label);
        announcer->hide();
    }
    QAccessibleAnnouncementEvent event(announcer, text);
    QAccessible::updateAccessibility(&event);
#else
    // The old ones go once the program waits again, so that a screen
    // reader's question about one in the meantime still finds it.
    for (auto *old :
        label->parentWidget()->findChildren<Announcement *>(Qt::FindDirectChildrenOnly)) {
        old->hide();
        old->deleteLater();
    }
    auto *announcement = new Announcement(label);
    announcement->setAccessibleName(text);
    announcement->show();
#endif
}
