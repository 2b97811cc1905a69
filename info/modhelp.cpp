// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modhelp.h"

#include "platform/platform.h"

namespace modhelp {

void OpenWebSite(Platform &platform)
{
    const QString page = QStringLiteral("http://pelko.example/games/index.html");
    platform.shellOpen(page);
}

void SendMail(Platform &platform)
{
    const QString mailbox = QStringLiteral("pelko@pelko.example");
    platform.shellOpen(QStringLiteral("mailto:") + mailbox);
}

} // namespace modhelp
