// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qtplatform.h"

#include <QScopedValueRollback>
#include <QStringList>

#include <deque>
#include <functional>

// Answers the game's boxes from a script and records what was asked and
// what was handed to the shell. Windows are shown and closed for real.
class ScriptedPlatform : public QtPlatform
{
public:
    struct Box
    {
        QString text;
        QString defaultText;
        int buttons = -1; // -1 for an input box
    };

    using InputAnswer = std::function<QString()>;
    using MessageAnswer = std::function<int()>;

    // Queues plain answers to the next input boxes.
    void answer(const QStringList &entries)
    {
        for (const QString &entry : entries)
            inputAnswers.push_back([entry] { return entry; });
    }
    void answerMessage(int code)
    {
        messageAnswers.push_back([code] { return code; });
    }

    // Qt's own boxes in place of the script, for a test that answers them
    // itself; open, as every box is, while they run.
    QString realInputBox(const QString &prompt, const QString &defaultText = QString())
    {
        const QScopedValueRollback real(realBoxes, true);
        return inputBox(prompt, defaultText);
    }
    int realMessageBox(const QString &text, Buttons buttons = OKOnly)
    {
        const QScopedValueRollback real(realBoxes, true);
        return messageBox(text, buttons);
    }

    void shellOpen(const QString &address) override { opened.push_back(address); }

    // The texts of the boxes asked so far, in order.
    QStringList asked() const
    {
        QStringList texts;
        for (const Box &box : boxes)
            texts.push_back(box.text);
        return texts;
    }

    std::deque<InputAnswer> inputAnswers;
    std::deque<MessageAnswer> messageAnswers;
    QList<Box> boxes;
    QStringList opened;
    int unexpectedBoxes = 0;

protected:
    // Platform counts the box as open while these run, as with a real box.
    QString runInputBox(const QString &prompt, const QString &defaultText) override
    {
        if (realBoxes)
            return QtPlatform::runInputBox(prompt, defaultText);
        boxes.push_back({prompt, defaultText, -1});
        if (inputAnswers.empty()) {
            ++unexpectedBoxes;
            return QString();
        }
        const InputAnswer next = std::move(inputAnswers.front());
        inputAnswers.pop_front();
        return next();
    }

    int runMessageBox(const QString &text, Buttons buttons) override
    {
        if (realBoxes)
            return QtPlatform::runMessageBox(text, buttons);
        boxes.push_back({text, QString(), buttons});
        if (messageAnswers.empty()) {
            ++unexpectedBoxes;
            return buttons == YesNo ? No : OK;
        }
        const MessageAnswer next = std::move(messageAnswers.front());
        messageAnswers.pop_front();
        return next();
    }

private:
    bool realBoxes = false;
};
