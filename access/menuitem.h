// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAccessibleInterface;
class QAction;

// What assistive tools are told of an item of the program's menu bar or of
// its menu, and what its press does; null for any other action, such as
// those of Qt's own widgets.
QAccessibleInterface *menuItemInterface(QAction *action);
