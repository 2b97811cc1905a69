// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "announcement.h"
#include "boardfocus.h"
#include "controls/classiclabel.h"
#include "controls/linklabel.h"
#include "menuitem.h"
#include "spoken.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMainWindow>
#include <QPushButton>

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
            return spokenCellName(control()->text(), index);
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

// Everything the program tells assistive tools beyond Qt's defaults. Asked
// with the most derived class's name first.
QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    if (auto *action = qobject_cast<QAction *>(object))
        return menuItemInterface(action);
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
