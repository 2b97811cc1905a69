// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board.h"

#include <QMainWindow>
#include <QPointer>
#include <QVariant>

#include <array>

class BoardFocus;
class ClassicLabel;
class frmAboutTTT;
class frmHelp;
class LineShape;
class Platform;
class QAction;
class QLabel;
class QMenu;

// The game window: a board of nine cells under four grid lines, the status
// line above it, the cat's ears, the win picture and the hidden password
// label. All game state lives in these controls and in a few strings.
class frmTicTacToe : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmTicTacToe(Platform &platform, QWidget *parent = nullptr);
    ~frmTicTacToe() override;

    // The size of the area below the menu bar, and where it opens on screen.
    static QSize clientSize();
    static QPoint clientPosition();

    void Form_Load();
    void CheckWinner();
    void Design();
    void ClearDesign();
    void PlayAgain();

protected:
    void changeEvent(QEvent *event) override;

private:
    enum class Player { One, Two };

    // The commands, reached only through what gives them (the menu, F2, a
    // click or press on a cell or the hidden label), and so only past the
    // gate that refuses every command behind a box.
    void mnuMenuNewGame_Click();
    void mnuMenuHelp_Click();
    void mnuMenuAbout_Click();
    void mnuMenuExit_Click();

    void Label1_Click();
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Label5_Click();
    void Label6_Click();
    void Label7_Click();
    void Label8_Click();
    void Label9_Click();
    void Label10_Click();

    void buildMenu();
    void buildControls();
    ClassicLabel *makeCell(int number);
    void cellClick(ClassicLabel *cell);
    void setMessage(const QString &text);
    void showGrid(bool shown);
    void drawCat();
    void applyBackColor();
    std::array<ClassicLabel *, boardCells> cells() const;

    Platform &m_platform;

    QMenu *mnuMenu = nullptr;
    QAction *mnuMenuNewGame = nullptr;
    QAction *mnuMenuHelp = nullptr;
    QAction *mnuMenuAbout = nullptr;
    QAction *mnuMenuExit = nullptr;

    ClassicLabel *Label1 = nullptr;
    ClassicLabel *Label2 = nullptr;
    ClassicLabel *Label3 = nullptr;
    ClassicLabel *Label4 = nullptr;
    ClassicLabel *Label5 = nullptr;
    ClassicLabel *Label6 = nullptr;
    ClassicLabel *Label7 = nullptr;
    ClassicLabel *Label8 = nullptr;
    ClassicLabel *Label9 = nullptr;
    ClassicLabel *Label10 = nullptr;
    ClassicLabel *lblEars = nullptr;
    ClassicLabel *lblMessage = nullptr;
    LineShape *Line1 = nullptr;
    LineShape *Line2 = nullptr;
    LineShape *Line3 = nullptr;
    LineShape *Line4 = nullptr;
    QLabel *Image1 = nullptr;
    BoardFocus *m_board = nullptr; // the keyboard's way onto the cells

    // The information windows have no owner, so that the game and they go
    // on beside each other; these find the open ones again, and the
    // destructor frees those still open. A closed one is deleted later, and
    // until then is hidden.
    QPointer<frmAboutTTT> m_about;
    QPointer<frmHelp> m_help;

    QString strPlayer1;
    QString strPlayer2;
    // The player to move, held as a player rather than as a name: with two
    // equal names (two cancelled boxes included) a name could not tell them
    // apart, and player 2 would never get a mark.
    Player turn = Player::One;
    // The move being made, as a screen reader hears it before the status
    // line that it leads to: "X, row 1, column 1".
    QString m_moveSpoken;
    QString strPassword;
    QVariant vntPlayAgain;
};
