// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "classiclabel.h"
#include "linklabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {
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
            link()->click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    LinkLabel *link() const { return static_cast<LinkLabel *>(widget()); }
};

QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == u"frmAboutTTT" || className == u"frmHelp")
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == u"LinkLabel")
        return new AccessibleLink(static_cast<LinkLabel *>(widget));
    if (className == u"Announcement")
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

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

void installAccessibleInterfaces()
{
    static const bool installed = (QAccessible::installFactory(interfaceFor), true);
    Q_UNUSED(installed);
}

Announcement::Announcement(ClassicLabel *label)
    : QWidget(label->parentWidget())
{
    installAccessibleInterfaces();
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
    for (auto *old :
        label->parentWidget()->findChildren<Announcement *>(Qt::FindDirectChildrenOnly))
        delete old;
    auto *announcement = new Announcement(label);
    announcement->setAccessibleName(text);
    announcement->show();
#endif
}
