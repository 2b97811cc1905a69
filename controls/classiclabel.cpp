// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classiclabel.h"

#include "presskeys.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

ClassicLabel::ClassicLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

ClassicLabel::ClassicLabel(
    QWidget *parent, const QString &name, const QRect &geometry, const QString &text)
    : ClassicLabel(parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setText(text);
}

// Sets a field that the label's look depends on, and repaints on a change.
template<class T>
void ClassicLabel::change(T &field, T value)
{
    if (field == value)
        return;
    field = value;
    update();
}

void ClassicLabel::setBackColor(ColorValue color)
{
    change(m_backColor, color);
}

void ClassicLabel::setForeColor(ColorValue color)
{
    change(m_foreColor, color);
}

QColor ClassicLabel::resolvedBackColor() const
{
    return resolveColor(m_backColor, palette());
}

QColor ClassicLabel::resolvedTextColor() const
{
    const QColor text = isEnabled() ? resolveColor(m_foreColor, palette())
                                    : palette().color(QPalette::Disabled, QPalette::WindowText);
    return readableOn(text, resolvedBackColor());
}

void ClassicLabel::click()
{
    if (isEnabled())
        emit clicked();
}

void ClassicLabel::setFocusMark(bool shown)
{
    change(m_focusMark, shown);
}

void ClassicLabel::setFocusMarkWidth(int pixels)
{
    change(m_focusMarkWidth, pixels);
}

void ClassicLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolvedBackColor());

    // The colour is chosen here for either state; the style adds whatever
    // else it draws for disabled text.
    QPalette pal = palette();
    pal.setColor(pal.currentColorGroup(), QPalette::WindowText, resolvedTextColor());
    style()->drawItemText(&painter, rect(),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, pal, isEnabled(),
        text(), QPalette::WindowText);

    if (m_focusMark) {
        const QColor back = resolvedBackColor();
        const QColor mark = contrastRatio(Qt::black, back) >= contrastRatio(Qt::white, back)
            ? QColor(Qt::black)
            : QColor(Qt::white);
        // Set in by its own width, clear of the grid lines over a cell's edge.
        const int w = m_focusMarkWidth;
        const QRect outer = rect().adjusted(w, w, -w, -w);
        painter.setClipRegion(QRegion(outer).subtracted(outer.adjusted(w, w, -w, -w)));
        painter.fillRect(outer, mark);
    }
}

void ClassicLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressed = true;
    event->accept();
}

void ClassicLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        event->ignore();
        return;
    }
    m_pressed = false;
    event->accept();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

// A double-click is one click: the first press and release made it, and the
// second press, which arrives as this event, starts none. (Qt would take it
// for a press, and its release for a second click.)
void ClassicLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
}

void ClassicLabel::keyPressEvent(QKeyEvent *event)
{
    if (!isPressKey(event)) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        click();
}

// The window remembers whether the focus last moved by keyboard, as the
// style's own focus frames do: the mark comes back when a box closes.
void ClassicLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    setFocusMark(window()->testAttribute(Qt::WA_KeyboardFocusChange));
}

void ClassicLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    setFocusMark(false);
}
