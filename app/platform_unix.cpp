// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/platform.h"
#include "app/speech_voice.h"

namespace app {

std::unique_ptr<ui::Voice> makeVoice()
{
    return std::make_unique<SpeechVoice>();
}

QString voiceUsage()
{
    return QStringLiteral(
        "  --voce         dice ad alta voce ogni conteggio e l'esito, con la voce italiana\n"
        "                 del servizio vocale del desktop (speech-dispatcher), senza\n"
        "                 interrompere quello che dicono gli altri programmi\n");
}

void useStartingConsole()
{
    // A program here always has the standard streams it was started with.
}

} // namespace app
