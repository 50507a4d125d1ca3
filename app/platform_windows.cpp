// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/platform.h"

#include <cstdio>
#include <windows.h>

namespace app {

std::unique_ptr<ui::Voice> makeVoice()
{
    std::fputs("zanfilo: questa versione per Windows non ha la voce, si continua in silenzio\n", stderr);
    // Not a console here, so the runtime would keep the line until the program ends.
    std::fflush(stderr);
    return nullptr;
}

QString voiceUsage()
{
    return {};
}

void useStartingConsole()
{
    // The program writes UTF-8 ("quantità"), as it does on Linux.
    SetConsoleOutputCP(CP_UTF8);
    // A windowed program has no console of its own; started from one, it writes there, unless its
    // output was already sent elsewhere (a pipe, a file).
    if (GetStdHandle(STD_OUTPUT_HANDLE) != nullptr || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

} // namespace app
