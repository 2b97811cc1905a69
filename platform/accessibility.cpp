// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

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
    { }

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

Announcement::Announcement(QWidget *label, const QString &text)
    : QWidget(label->parentWidget())
{
    installAccessibleInterfaces();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(label->geometry());
    stackUnder(label);
    setAccessibleName(withoutAccessKeys(text));
}

void Announcement::announce(QWidget *label, const QString &text)
{
    for (auto *old :
        label->parentWidget()->findChildren<Announcement *>(Qt::FindDirectChildrenOnly))
        delete old;
    (new Announcement(label, text))->show();
}
