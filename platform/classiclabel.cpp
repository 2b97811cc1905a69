// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classiclabel.h"

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

void ClassicLabel::setBackColor(ColorValue color)
{
    if (m_backColor == color)
        return;
    m_backColor = color;
    update();
}

void ClassicLabel::setForeColor(ColorValue color)
{
    if (m_foreColor == color)
        return;
    m_foreColor = color;
    update();
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
