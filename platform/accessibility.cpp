// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "boardfocus.h"
#include "classiclabel.h"
#include "linklabel.h"
#include "platform.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QMainWindow>
#include <QPushButton>

#include <utility>

namespace {
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

// Where a click could land now: on a shown, enabled control, while no box
// of the program's is open.
bool clickable(const QWidget *control)
{
    return !Platform::boxOpen() && control->isVisible() && control->isEnabled();
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

// What a cell shows, as a screen reader says it: its mark, or "empty".
QString spokenCell(const ClassicLabel *cell)
{
    const QString shown = cell->text().trimmed();
    return shown.isEmpty() ? QStringLiteral("empty") : shown;
}

QString spokenPlace(int index)
{
    return QStringLiteral("row %1, column %2")
        .arg(index / boardSide + 1)
        .arg(index % boardSide + 1);
}

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

// Everything the program tells assistive tools beyond Qt's defaults. Asked
// with the most derived class's name first.
QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
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
        return new QAccessibleWidget(widget, QAccessible::Grouping, QStringLiteral("Board"));
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

QString spokenMove(const ClassicLabel *cell)
{
    const BoardFocus *board = BoardFocus::boardOf(cell);
    return spokenCell(cell) + QStringLiteral(", ") + spokenPlace(board ? board->indexOf(cell) : 0);
}

QString spokenBoard(const BoardFocus &board)
{
    QStringList rows;
    for (int row = 0; row < boardSide; ++row) {
        QStringList cells;
        for (int column = 0; column < boardSide; ++column)
            cells << spokenCell(board.cell(row * boardSide + column));
        rows << QStringLiteral("row %1: ").arg(row + 1) + cells.join(QStringLiteral(", "));
    }
    return rows.join(QStringLiteral("; "));
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
