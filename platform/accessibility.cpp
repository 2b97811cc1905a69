// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "boardfocus.h"
#include "classiclabel.h"
#include "linklabel.h"
#include "platform.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>

namespace {
// Where a click could land now: on a shown, enabled control, while no box
// of the program's is open.
bool clickable(const ClassicLabel *control)
{
    return !Platform::boxOpen() && control->isVisible() && control->isEnabled();
}

// A press from an assistive tool takes the user's path, as Qt's own buttons
// do: it is queued, so that the tool's call returns at once (a winning move
// opens "Play again?", whose event loop would hold the call until it is
// answered), and it clicks only where a click could land, when asked and
// when carried out.
void pressLater(ClassicLabel *control)
{
    if (!clickable(control))
        return;
    QMetaObject::invokeMethod(
        control,
        [control] {
            if (clickable(control))
                control->click();
        },
        Qt::QueuedConnection);
}

// A link named by the address it shows, pressed like a click.
class AccessibleLink : public QAccessibleWidget
{
public:
    explicit AccessibleLink(LinkLabel *link)
        : QAccessibleWidget(link, QAccessible::Link)
    {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? link()->text() : QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return QStringList {pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            pressLater(link());
        else
            QAccessibleWidget::doAction(name);
    }

private:
    LinkLabel *link() const { return static_cast<LinkLabel *>(widget()); }
};

// A cell as a screen reader meets it: a button named by its place and its
// mark ("row 1, column 2, O"), that can be pressed like a click. The board
// is looked up afresh each time: it goes before its cells when the window
// is destroyed.
class AccessibleCell : public QAccessibleWidget
{
public:
    explicit AccessibleCell(ClassicLabel *cell)
        : QAccessibleWidget(cell, QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const BoardFocus *board = BoardFocus::boardOf(cell());
            const int index = board ? board->indexOf(cell()) : -1;
            if (index < 0)
                return QString();
            const QString mark = cell()->text().trimmed();
            return QStringLiteral("row %1, column %2, ").arg(index / 3 + 1).arg(index % 3 + 1) +
                (mark.isEmpty() ? QStringLiteral("empty") : mark);
        }
        if (t == QAccessible::Description)
            return QString(); // the place is in the name already
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const BoardFocus *board = BoardFocus::boardOf(cell());
        s.focusable = true;
        s.focused = board && board->holdsFocus(cell());
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            pressLater(cell());
    }

private:
    ClassicLabel *cell() const { return static_cast<ClassicLabel *>(widget()); }
};

// Everything the program tells assistive tools beyond Qt's defaults.
QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == u"frmAboutTTT" || className == u"frmHelp")
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == u"LinkLabel")
        return new AccessibleLink(static_cast<LinkLabel *>(widget));
    if (className == u"ClassicLabel" && BoardFocus::boardOf(widget))
        return new AccessibleCell(static_cast<ClassicLabel *>(widget));
    if (className == u"BoardFocus")
        return new QAccessibleWidget(widget, QAccessible::Grouping, QStringLiteral("Board"));
    if (className == u"Announcement")
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

// Once, as the application starts, before any widget is asked about: Qt
// keeps the first description it finds for an object.
void installAccessibleInterfaces()
{
    QAccessible::installFactory(interfaceFor);
}
Q_COREAPP_STARTUP_FUNCTION(installAccessibleInterfaces)

// "&&" is one "&"; a single "&" only underlines the next character.
QString withoutAccessKeys(const QString &text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && ++i == text.size())
            break;
        plain += text[i];
    }
    return plain;
}
} // namespace

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
void Announcement::announce(ClassicLabel *label)
{
    QMetaObject::invokeMethod(
        label,
        [label, text = label->text()] {
            if (label->text() == text)
                make(label, withoutAccessKeys(text));
        },
        Qt::QueuedConnection);
}

void Announcement::make(ClassicLabel *label, const QString &text)
{
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
