// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "announcement.h"
#include "boardfocus.h"
#include "controls/classiclabel.h"
#include "controls/linklabel.h"
#include "spoken.h"

#include "platform/platform.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include <utility>

namespace {
// Where a click could land now: on a shown, enabled control. Whether a box
// of the program's keeps it from acting is the command's own rule
// (Platform::runCommand), which every way of giving it passes.
bool clickable(const QWidget *control)
{
    return control->isVisible() && control->isEnabled();
}

// A press from an assistive tool takes the user's path: it is queued, so
// that the tool's call returns at once (a winning move opens "Play again?",
// whose event loop would hold the call until it is answered), and it clicks
// only where a click could land, when asked and when carried out.
template<class Control>
void pressLater(Control *control)
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

// A control whose press action is a click taken the user's way.
template<class Control>
class Pressable : public QAccessibleWidget
{
public:
    Pressable(Control *control, QAccessible::Role role)
        : QAccessibleWidget(control, role)
    {}

    QStringList actionNames() const override
    {
        return QStringList {pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            pressLater(control());
        else
            QAccessibleWidget::doAction(name);
    }

protected:
    Control *control() const { return static_cast<Control *>(widget()); }
};

// A link named by the address it shows.
class AccessibleLink : public Pressable<LinkLabel>
{
public:
    explicit AccessibleLink(LinkLabel *link)
        : Pressable(link, QAccessible::Link)
    {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? control()->text() : QAccessibleWidget::text(t);
    }
};

// A button of the program's own windows. Qt's own would animate a press
// behind a box and click a tenth of a second later, when the box may have
// gone.
class AccessibleButton : public Pressable<QPushButton>
{
public:
    explicit AccessibleButton(QPushButton *button)
        : Pressable(button, QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && control()->accessibleName().isEmpty())
            return withoutAccessKeys(control()->text());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.defaultButton = control()->isDefault();
        s.pressed = control()->isDown();
        return s;
    }
};

// A cell as a screen reader meets it: a button named by its place and its
// mark ("row 1, column 2, O"), that can be pressed like a click. The board
// is looked up afresh each time: it goes before its cells when the window
// is destroyed.
class AccessibleCell : public Pressable<ClassicLabel>
{
public:
    explicit AccessibleCell(ClassicLabel *cell)
        : Pressable(cell, QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const BoardFocus *board = BoardFocus::boardOf(control());
            const int index = board ? board->indexOf(control()) : -1;
            if (index < 0)
                return QString();
            return spokenPlace(index) + QStringLiteral(", ") + spokenCell(control());
        }
        if (t == QAccessible::Description)
            return QString(); // the place is in the name already
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const BoardFocus *board = BoardFocus::boardOf(control());
        s.focusable = true;
        s.focused = board && board->holdsFocus(control());
        return s;
    }
};

// A widget that passes the focus on, as a box's row of buttons passes it to
// the default button, or that holds it for others, as the board does for its
// cells: Qt calls it focused along with the widget that has the focus. It
// says so only where it can take the focus itself and its window is active,
// so that a tool that follows the focus finds one focused object.
class FocusHolder : public QAccessibleWidget
{
public:
    FocusHolder(QWidget *widget, QAccessible::Role role, const QString &name = QString())
        : QAccessibleWidget(widget, role, name)
    {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focused = s.focused && s.focusable && widget()->isActiveWindow();
        return s;
    }
};

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
        const QString caption = m_action->text();
        for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
            if (caption[i] != u'&')
                continue;
            if (caption[i + 1] != u'&')
                return QKeySequence(Qt::ALT).toString(QKeySequence::NativeText) + caption[i + 1];
            ++i; // "&&" is a plain "&"
        }
        return QString();
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

// Everything the program tells assistive tools beyond Qt's defaults. Asked
// with the most derived class's name first.
QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    if (auto *action = qobject_cast<QAction *>(object))
        return menuOwner(action) ? new AccessibleMenuItem(action) : nullptr;
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    // Qt calls a plain top-level widget a client area; About and Help are
    // windows. Boxes, menus and the main window have Qt's own descriptions.
    const bool ownWindow = widget->windowType() == Qt::Window || widget->windowType() == Qt::Tool;
    if (ownWindow && !qobject_cast<QDialog *>(widget) && !qobject_cast<QMainWindow *>(widget))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (auto *button = qobject_cast<QPushButton *>(widget);
        button && !qobject_cast<QDialog *>(button->window()))
        return new AccessibleButton(button);
    if (auto *link = qobject_cast<LinkLabel *>(widget))
        return new AccessibleLink(link);
    if (auto *cell = qobject_cast<ClassicLabel *>(widget); cell && BoardFocus::boardOf(cell))
        return new AccessibleCell(cell);
    if (qobject_cast<BoardFocus *>(widget))
        return new FocusHolder(widget, QAccessible::Grouping, QStringLiteral("Board"));
    if (qobject_cast<QDialogButtonBox *>(widget))
        return new FocusHolder(widget, QAccessible::Grouping);
    if (qobject_cast<Announcement *>(widget))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}
} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!std::exchange(installed, true))
        QAccessible::installFactory(interfaceFor);
}
