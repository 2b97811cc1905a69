// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expectedboard.h"
#include "platform/platform.h"
#include "platform/systemcolors.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

// The rules of the game window, kept apart from the window's own code: a
// board of marks, the player to move, the names, and what the window shows.
// The random driver runs each event through this model first and expects the
// window to end up, and to ask its boxes, exactly as the model did.

// What the window shows at one moment, as far as the rules fix it.
struct ModelView
{
    std::array<QString, 9> captions;
    std::array<bool, 9> enabled {};
    std::array<ColorValue, 9> colors {};
    bool ears = false;
    bool grid = true;
    bool picture = false;
    QString status;
};

// A box the rules have the window ask, the answer the driver gave it, and
// what the window shows behind it.
struct ModelBox
{
    enum Kind { Name1, Name2, Password, Refused, PlayAgain };
    Kind kind = Name1;
    QString text;
    QString defaultText;
    int buttons = -1; // -1 for an input box
    QString answerText;
    int answerCode = 0;
    ModelView behind;
};

// Where the answers come from: the driver draws them as the model asks.
struct ModelAnswers
{
    std::function<QString(int player)> name;
    std::function<QString()> password;
    std::function<int()> playAgain;
};

class ReferenceModel
{
public:
    enum class Code { None, PlayerOne, PlayerTwo, Cat, Refused };

    // What the last event did, for the driver's figures.
    struct Result
    {
        bool marked = false;
        bool wonByO = false;
        bool wonByX = false;
        bool cat = false;
        Code code = Code::None;
        std::vector<ModelBox> boxes;
    };

    // What a click at a point of the client area reaches.
    enum class Target { Nothing, Cell, HiddenLabel, Picture, Ears, Status };
    struct Hit
    {
        Target target = Target::Nothing;
        int cell = 0; // 1 to 9 for a cell
    };

    // The window's layout, in pixels of the client area.
    static QRect cellRect(int n)
    {
        return QRect(40 + 56 * ((n - 1) % 3), 56 + 56 * ((n - 1) / 3), 57, 57);
    }
    static QRect hiddenLabelRect() { return QRect(232, 160, 17, 17); }
    static QRect pictureRect() { return QRect(108, 125, 32, 32); }
    static QRect earsRect() { return QRect(24, 16, 201, 41); }
    static QRect statusRect() { return QRect(40, 0, 169, 33); }
    static QSize clientSize() { return QSize(249, 231); }

    static QString wonText(const QString &name) { return name + QStringLiteral(" Won!"); }

    ReferenceModel() { programStart(); }

    // The window as the program opens it.
    void programStart()
    {
        board.fill(Mark::None);
        face = false;
        enabled.fill(false);
        decorated = false;
        plainColor = SystemColor::ButtonFace;
        ears = false;
        grid = true;
        status = startText;
        player1.clear();
        player2.clear();
        toMove = 1;
    }

    const Result &result() const { return last; }

    ModelView view() const
    {
        ModelView v;
        for (std::size_t i = 0; i < 9; ++i) {
            v.captions[i] = face ? catFace[i] : markText(board[i]);
            v.enabled[i] = enabled[i];
            v.colors[i] = decorated ? decoratedColors[i] : plainColor;
        }
        v.ears = ears;
        v.grid = grid;
        v.picture = decorated;
        v.status = status;
        return v;
    }

    // A game is running while a cell takes a click.
    bool playing() const { return std::count(enabled.begin(), enabled.end(), true) > 0; }
    bool cellOpen(int n) const { return enabled[n - 1]; }

    // The topmost control under a point; lines let clicks through.
    Hit hitAt(QPoint p) const
    {
        if (hiddenLabelRect().contains(p))
            return {Target::HiddenLabel};
        if (ears && earsRect().contains(p))
            return {Target::Ears};
        if (decorated && pictureRect().contains(p))
            return {Target::Picture};
        if (statusRect().contains(p))
            return {Target::Status};
        for (int n = 9; n >= 1; --n) {
            if (cellRect(n).contains(p))
                return {Target::Cell, n};
        }
        return {};
    }

    // Events. Each starts a new result.
    void newGame(const ModelAnswers &answers)
    {
        last = {};
        startGame(answers);
    }

    // An assistive tool's press on cell n: what a click on it does.
    void press(int n, const ModelAnswers &answers)
    {
        last = {};
        move(n, answers);
    }

    void click(QPoint p, const ModelAnswers &answers)
    {
        last = {};
        const Hit hit = hitAt(p);
        if (hit.target == Target::Cell)
            move(hit.cell, answers);
        else if (hit.target == Target::HiddenLabel)
            password(answers);
    }

private:
    enum class Mark { None, O, X };

    static QString markText(Mark m)
    {
        return m == Mark::O ? QStringLiteral(" O")
            : m == Mark::X  ? QStringLiteral(" X")
                            : QString();
    }
    void ask(ModelBox::Kind kind, const QString &text, const QString &defaultText, int buttons,
        const QString &answerText, int answerCode)
    {
        last.boxes.push_back({kind, text, defaultText, buttons, answerText, answerCode, view()});
    }

    // The view is taken when the box opens, before the answer is known.
    QString askName(int player, const ModelAnswers &answers)
    {
        const auto kind = player == 1 ? ModelBox::Name1 : ModelBox::Name2;
        const QString prompt = QStringLiteral("Please enter your name, Player %1:").arg(player);
        const QString def = QStringLiteral("Player %1").arg(player);
        ask(kind, prompt, def, -1, QString(), 0);
        last.boxes.back().answerText = answers.name(player);
        return last.boxes.back().answerText;
    }

    void clearBoard()
    {
        board.fill(Mark::None);
        face = false;
    }

    void idle()
    {
        enabled.fill(false);
        ears = false;
        status = startText;
        grid = true;
    }

    void startGame(const ModelAnswers &answers)
    {
        grid = true;
        clearBoard();
        ears = false;
        player1 = askName(1, answers);
        player2 = askName(2, answers);
        status = turnOf(player1);
        toMove = 1;
        enabled.fill(true);
    }

    void decorate()
    {
        clearBoard();
        decorated = true;
    }

    void undecorate()
    {
        decorated = false;
        plainColor = SystemColor::ScrollBars;
    }

    void drawCat()
    {
        grid = false;
        ears = true;
        board.fill(Mark::None);
        face = true;
        status = catText;
    }

    void askPlayAgain(const ModelAnswers &answers)
    {
        ask(ModelBox::PlayAgain, QStringLiteral("Play again?"), QString(), Platform::YesNo,
            QString(), 0);
        const int answer = answers.playAgain();
        last.boxes.back().answerCode = answer;
        if (answer == Platform::Yes) {
            idle();
            startGame(answers);
            undecorate();
        } else if (answer == Platform::No) {
            clearBoard();
            idle();
            undecorate();
        }
    }

    bool holdsLine(Mark m) const
    {
        static constexpr int lines[8][3] = {
            {0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8}, {0, 4, 8}, {2, 4, 6}};
        return std::any_of(std::begin(lines), std::end(lines), [&](const int(&line)[3]) {
            return board[line[0]] == m && board[line[1]] == m && board[line[2]] == m;
        });
    }

    void move(int n, const ModelAnswers &answers)
    {
        if (!enabled[n - 1])
            return; // a closed cell runs nothing
        const Mark mark = toMove == 1 ? Mark::O : Mark::X;
        board[n - 1] = mark;
        enabled[n - 1] = false;
        toMove = 3 - toMove;
        status = turnOf(toMove == 1 ? player1 : player2);
        last.marked = true;

        // Only the mover can have completed a line, so one result at most.
        if (holdsLine(mark)) {
            status = wonText(mark == Mark::O ? player1 : player2);
            (mark == Mark::O ? last.wonByO : last.wonByX) = true;
            decorate();
            askPlayAgain(answers);
        } else if (!playing() && status == turnOf(player2)) {
            last.cat = true;
            drawCat();
            askPlayAgain(answers);
        }
    }

    void password(const ModelAnswers &answers)
    {
        ask(ModelBox::Password, QStringLiteral("Password?"), QString(), -1, QString(), 0);
        const QString entry = answers.password();
        last.boxes.back().answerText = entry;
        if (entry == u"plumo" || entry == u"trazk") {
            const bool one = entry == u"plumo";
            last.code = one ? Code::PlayerOne : Code::PlayerTwo;
            status = wonText(one ? player1 : player2);
            decorate();
            ears = false;
        } else if (entry == u"grindlefopsy") {
            last.code = Code::Cat;
            drawCat();
            undecorate();
            enabled.fill(false);
        } else {
            last.code = Code::Refused;
            ask(ModelBox::Refused, QStringLiteral("Password incorrect."), QString(),
                Platform::OKOnly, QString(), Platform::OK);
        }
    }

    std::array<Mark, 9> board {};
    bool face = false; // the cat's face is on the cells
    std::array<bool, 9> enabled {};
    bool decorated = false;
    ColorValue plainColor = SystemColor::ButtonFace; // until the first clearing
    bool ears = false;
    bool grid = true;
    QString status;
    QString player1;
    QString player2;
    int toMove = 1;
    Result last;
};
