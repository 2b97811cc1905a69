// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board.h"

#include <QWidget>

#include <array>

class ClassicLabel;

// The keyboard's way onto the board, every key of the board handled here. A
// disabled cell cannot hold Qt's focus, yet a player must be able to move
// over marked cells, so this widget under the cells holds the focus for
// them: the arrow keys move it from cell to cell, Space and Enter click the
// cell it is on. The cell shows the focus mark once a key has moved the
// focus, never in mouse play. B, from wherever the keyboard is in the
// window, reads the board and then the status line to a screen reader.
class BoardFocus : public QWidget
{
    Q_OBJECT

public:
    BoardFocus(QWidget *parent, const std::array<ClassicLabel *, boardCells> &cells,
        ClassicLabel *statusLine);

    // The cell the keyboard is on, and whether it holds the focus now.
    ClassicLabel *currentCell() const { return m_cells[m_current]; }
    bool holdsFocus(const ClassicLabel *cell) const;

    // The board whose cell this is, if any, and the cell's number less one;
    // the cell of that index.
    static BoardFocus *boardOf(const QObject *cell);
    int indexOf(const QObject *cell) const;
    ClassicLabel *cell(int index) const { return m_cells[index]; }

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void moveTo(int index);
    void showFocus();
    void tellAssistiveTools();
    bool readBoard(QKeyEvent *event);

    std::array<ClassicLabel *, boardCells> m_cells;
    ClassicLabel *m_statusLine;
    int m_current = 0;
    // Whether the keyboard brought the focus here: the focus also comes
    // with the window's activation, which shows no mark.
    bool m_byKeyboard = false;
};
