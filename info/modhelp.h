// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Platform;

// Opens the maker's website and a new mail to the maker through the shell.
// The addresses are fixed here; nothing a player types ever reaches them.
namespace modhelp {
void OpenWebSite(Platform &platform);
void SendMail(Platform &platform);
} // namespace modhelp
