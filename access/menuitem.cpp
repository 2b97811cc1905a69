// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "menuitem.h"

#include "spoken.h"

#include "platform/platform.h"

#include <QAccessible>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>

namespace {
// The menu bar or menu that shows an action of the program's menu bar, or
// of a menu that drops down from it; none for the actions of Qt's own
// widgets, such as an entry field's context menu in a box.
QWidget *menuOwner(const QAction *action)
{
    for (QObject *shownIn : action->associatedObjects()) {
        if (auto *bar = qobject_cast<QMenuBar *>(shownIn))
            return bar;
        if (auto *menu = qobject_cast<QMenu *>(shownIn); menu && menuOwner(menu->menuAction()))
            return menu;
    }
    return nullptr;
}

// An item of the menu bar or of its menu, told as Qt tells it, whose press
// takes the user's path: queued, so that the tool's call returns at once
// (New Game opens a name box, whose event loop would hold the call until it
// is answered), and carried out only where the command could be given.
// Qt's own item acts inside the tool's call and drops its menu down behind
// a box.
class AccessibleMenuItem : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    explicit AccessibleMenuItem(QAction *action)
        : m_action(action)
    {}

    bool isValid() const override { return m_action && owner(); }
    QObject *object() const override { return m_action; }
    QWindow *window() const override
    {
        const QWidget *shownIn = owner();
        if (!shownIn)
            return nullptr;
        if (QWindow *own = shownIn->windowHandle())
            return own;
        const QWidget *native = shownIn->nativeParentWidget();
        return native ? native->windowHandle() : nullptr;
    }

    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(owner());
    }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && m_action->menu()
            ? QAccessible::queryAccessibleInterface(m_action->menu())
            : nullptr;
    }
    int childCount() const override { return m_action->menu() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && m_action->menu() && child->object() == m_action->menu() ? 0 : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        QAccessibleInterface *menu = child(0);
        return menu && menu->rect().contains(x, y) ? menu : nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return withoutAccessKeys(m_action->text());
        if (t == QAccessible::Accelerator)
            return shortcut().isEmpty() ? accessKey() : shortcut();
        return QString();
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        if (auto *bar = qobject_cast<QMenuBar *>(owner()))
            return bar->actionGeometry(m_action).translated(bar->mapToGlobal(QPoint(0, 0)));
        if (auto *menu = qobject_cast<QMenu *>(owner()))
            return menu->actionGeometry(m_action).translated(menu->mapToGlobal(QPoint(0, 0)));
        return QRect();
    }
    QAccessible::Role role() const override
    {
        return m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        const QWidget *shownIn = owner();
        s.invisible = !shownIn || !shownIn->isVisible() || !m_action->isVisible();
        if (auto *bar = qobject_cast<const QMenuBar *>(shownIn))
            s.focused = bar->activeAction() == m_action;
        else if (auto *menu = qobject_cast<const QMenu *>(shownIn))
            s.focused = menu->activeAction() == m_action;
        s.hotTracked = shownIn && shownIn->style()->styleHint(QStyle::SH_Menu_MouseTracking);
        s.disabled = m_action->isSeparator() || !m_action->isEnabled();
        s.checkable = m_action->isCheckable();
        s.checked = m_action->isChecked();
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
            ? static_cast<QAccessibleActionInterface *>(this)
            : nullptr;
    }

    QStringList actionNames() const override
    {
        if (m_action->isSeparator() || !m_action->isEnabled())
            return {};
        return {m_action->menu() ? showMenuAction() : pressAction()};
    }
    QStringList keyBindingsForAction(const QString &) const override
    {
        return shortcut().isEmpty() ? QStringList() : QStringList {shortcut()};
    }
    void doAction(const QString &name) override
    {
        if (!actionNames().contains(name))
            return;
        QMetaObject::invokeMethod(
            m_action,
            [action = m_action.data(), name] {
                if (!action->isEnabled())
                    return;
                if (name == pressAction())
                    action->trigger(); // a command, which passes its own gate
                else
                    Platform::runCommand([action] { showMenu(action); });
            },
            Qt::QueuedConnection);
    }

private:
    QWidget *owner() const { return m_action ? menuOwner(m_action) : nullptr; }
    QString shortcut() const { return m_action->shortcut().toString(); }

    // "Alt+" and the underlined character, as Qt gives an item's access key.
    QString accessKey() const
    {
        const QChar key = accessKeyOf(m_action->text());
        return key.isNull() ? QString()
                            : QKeySequence(Qt::ALT).toString(QKeySequence::NativeText) + key;
    }

    // Drops the item's menu down, or takes it up again when it is down.
    static void showMenu(QAction *action)
    {
        if (action->menu() && action->menu()->isVisible()) {
            action->menu()->hide();
            return;
        }
        QWidget *shownIn = menuOwner(action);
        if (auto *bar = qobject_cast<QMenuBar *>(shownIn))
            bar->setActiveAction(action);
        else if (auto *menu = qobject_cast<QMenu *>(shownIn))
            menu->setActiveAction(action);
    }

    QPointer<QAction> m_action;
};
} // namespace

QAccessibleInterface *menuItemInterface(QAction *action)
{
    return menuOwner(action) ? new AccessibleMenuItem(action) : nullptr;
}
