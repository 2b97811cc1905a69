// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

// Waits, while a real modal box runs its own event loop, for the box to
// open, and then hands it to a handler that looks at it and answers it.
// So that a failing test cannot hang, the box is rejected when the handler
// returns without having answered it, as a failed check makes it return
// early. Should no box open within the time-out, the wait ends.
void whenModalBoxOpens(std::function<void(QDialog *)> handler, int timeoutMs = 5000);
