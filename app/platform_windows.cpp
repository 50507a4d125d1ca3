// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/platform.h"
#include "app/sapi_voice.h"

#include <cstdio>
#include <cstdlib>
#include <windows.h>

namespace app {

std::unique_ptr<ui::Voice> makeVoice()
{
    return std::make_unique<SapiVoice>();
}

QString voiceUsage()
{
    return QStringLiteral(
        "  --voce         dice ad alta voce ogni conteggio e l'esito, con la voce italiana\n"
        "                 di Windows (SAPI), senza interrompere quello che dicono gli altri\n"
        "                 programmi o l'Assistente vocale\n");
}

namespace {

bool isFileOrPipe(HANDLE stream)
{
    const DWORD type = GetFileType(stream);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

// Asked once attached: before, the console's own handles are not yet known as a console. NUL is a
// character device too, and keeps what goes there.
bool belongsOnTheConsole(HANDLE stream)
{
    DWORD mode = 0;
    const DWORD type = GetFileType(stream);
    return type == FILE_TYPE_UNKNOWN || (type == FILE_TYPE_CHAR && GetConsoleMode(stream, &mode));
}

} // namespace

void useStartingConsole()
{
    // A windowed program has no console of its own; started from one, it writes there, each stream
    // unless it was sent elsewhere ("--version > v.txt" still shows errors on the console).
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if ((isFileOrPipe(out) && isFileOrPipe(err)) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    // Only an attached console has a code page to set. The program writes UTF-8 ("quantità"), as on
    // Linux; the console is the user's, and gets its own back once the text is out.
    static const UINT before = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    std::atexit([] {
        std::fflush(nullptr);
        SetConsoleOutputCP(before);
    });
    if (belongsOnTheConsole(out))
        std::freopen("CONOUT$", "w", stdout);
    if (belongsOnTheConsole(err))
        std::freopen("CONOUT$", "w", stderr);
}

} // namespace app
