// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardfocus.h"

#include "announcement.h"
#include "controls/classiclabel.h"
#include "controls/presskeys.h"
#include "spoken.h"

#include <QAccessible>
#include <QKeyEvent>

#include <algorithm>

BoardFocus::BoardFocus(
    QWidget *parent, const std::array<ClassicLabel *, boardCells> &cells, ClassicLabel *statusLine)
    : QWidget(parent)
    , m_cells(cells)
    , m_statusLine(statusLine)
{
    setObjectName(QStringLiteral("boardFocus"));
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(cells.front()->geometry().united(cells.back()->geometry()));
    lower(); // under the cells: it draws nothing and takes no click
    for (ClassicLabel *cell : m_cells)
        cell->installEventFilter(this);
    // B comes to the window from whatever the keyboard is on, once that has
    // left it unused.
    window()->installEventFilter(this);
}

int BoardFocus::indexOf(const QObject *cell) const
{
    const auto found = std::find(m_cells.begin(), m_cells.end(), cell);
    return found == m_cells.end() ? -1 : int(found - m_cells.begin());
}

bool BoardFocus::holdsFocus(const ClassicLabel *cell) const
{
    return hasFocus() && m_byKeyboard && cell == currentCell();
}

BoardFocus *BoardFocus::boardOf(const QObject *cell)
{
    if (!cell->parent())
        return nullptr;
    for (auto *board : cell->parent()->findChildren<BoardFocus *>(Qt::FindDirectChildrenOnly)) {
        if (board->indexOf(cell) >= 0)
            return board;
    }
    return nullptr;
}

// Tab puts the keyboard on the board even where the window's activation
// gave it the focus already; nothing else in the window takes the focus.
bool BoardFocus::focusNextPrevChild(bool)
{
    if (!m_byKeyboard) {
        m_byKeyboard = true;
        showFocus();
    }
    return true;
}

void BoardFocus::keyPressEvent(QKeyEvent *event)
{
    const int row = m_current / boardSide;
    const int column = m_current % boardSide;
    const int last = boardSide - 1;
    switch (event->key()) {
    case Qt::Key_Up:
        moveTo(qMax(row - 1, 0) * boardSide + column);
        break;
    case Qt::Key_Down:
        moveTo(qMin(row + 1, last) * boardSide + column);
        break;
    case Qt::Key_Left:
        moveTo(row * boardSide + qMax(column - 1, 0));
        break;
    case Qt::Key_Right:
        moveTo(row * boardSide + qMin(column + 1, last));
        break;
    default:
        if (!isPressKey(event)) {
            QWidget::keyPressEvent(event);
            return;
        }
        moveTo(m_current);
        // A held key clicks once; the click may open a box and end the game.
        if (!event->isAutoRepeat())
            currentCell()->click();
    }
    event->accept();
}

void BoardFocus::moveTo(int index)
{
    const bool moved = index != m_current || !m_byKeyboard;
    m_current = index;
    m_byKeyboard = true;
    if (moved)
        showFocus();
}

void BoardFocus::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        m_byKeyboard = true;
    showFocus();
}

void BoardFocus::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    showFocus();
}

// A click on the board is mouse play: the mark goes, as the style's focus
// frames go when the mouse moves the focus.
bool BoardFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window()) {
        if (event->type() == QEvent::KeyPress && readBoard(static_cast<QKeyEvent *>(event)))
            return true;
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress && m_byKeyboard) {
        m_byKeyboard = false;
        showFocus();
    }
    return QWidget::eventFilter(watched, event);
}

// B reads the whole board to a screen reader, then the status line; it
// changes nothing on screen.
bool BoardFocus::readBoard(QKeyEvent *event)
{
    const bool plain = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (event->key() != Qt::Key_B || !plain)
        return false;
    if (!event->isAutoRepeat()) {
        QStringList captions;
        for (const ClassicLabel *cell : m_cells)
            captions << cell->text();
        Announcement::announce(m_statusLine, spokenBoard(captions));
    }
    event->accept();
    return true;
}

void BoardFocus::showFocus()
{
    for (ClassicLabel *cell : m_cells)
        cell->setFocusMark(holdsFocus(cell));
    if (holdsFocus(currentCell()))
        tellAssistiveTools();
}

// Qt tells assistive tools that this widget took the focus after its focus
// event, so the cell's own news goes out after that.
void BoardFocus::tellAssistiveTools()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!holdsFocus(currentCell()))
                return;
            QAccessibleEvent event(currentCell(), QAccessible::Focus);
            QAccessible::updateAccessibility(&event);
        },
        Qt::QueuedConnection);
}
