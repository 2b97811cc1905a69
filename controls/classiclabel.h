// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemcolors.h"

#include <QLabel>

// The controls that the window designs use and Qt lacks: the classic label
// here, the link label, the line, the picture box, and twips to place them.

// A label as the window designs know it: an opaque back colour, a text
// colour, its caption drawn from the top left and wrapped at spaces, a word
// too long for it cut off at its edge, "&" shown as an underlined access
// character with no live shortcut, and a click event. The caption is always
// plain text: a name typed as markup shows exactly as typed.
class ClassicLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClassicLabel(QWidget *parent = nullptr);
    // A label as a window design places it, named as the design names it.
    ClassicLabel(QWidget *parent, const QString &name, const QRect &geometry,
        const QString &text = QString());

    ColorValue backColor() const { return m_backColor; }
    void setBackColor(ColorValue color);

    ColorValue foreColor() const { return m_foreColor; }
    void setForeColor(ColorValue color);

    QColor resolvedBackColor() const;
    // The colour the caption is drawn in: the text colour, or the platform's
    // disabled text for a disabled label, kept readable on the back colour.
    QColor resolvedTextColor() const;

    // What a click does, for the keyboard and for assistive tools: emits
    // clicked() while the label is enabled.
    void click();

    // The keyboard focus mark, a frame drawn inside the label's edge in black
    // or white, whichever stands out more from the back colour. A label
    // that takes the focus itself shows it after keyboard use only; the
    // board sets it on the cell it holds the focus for.
    void setFocusMark(bool shown);
    bool hasFocusMark() const { return m_focusMark; }
    void setFocusMarkWidth(int pixels);

signals:
    // A left-button press and release on the label, while it is enabled.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    template<class T>
    void change(T &field, T value);

    ColorValue m_backColor = SystemColor::ButtonFace;
    ColorValue m_foreColor = SystemColor::ButtonText;
    bool m_pressed = false;
    bool m_focusMark = false;
    int m_focusMarkWidth = 1;
};
