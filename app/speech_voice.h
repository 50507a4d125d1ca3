// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/services.h"

#include <sys/types.h>

namespace app {

// The desktop's speech service (speech-dispatcher), in Italian. Its client library runs in a
// process of its own, forked here, so a service that is slow, gone, mute or talking nonsense
// never holds up a window nor ends the program (the library exits on a reply it cannot read).
// Only the newest word waits there, and it cancels this program's word still being spoken, never
// another program's. Where there is no service or no Italian voice, one line on stderr says so
// and the program stays silent. Make it before anything starts a thread.
class SpeechVoice final : public ui::Voice
{
public:
    SpeechVoice();
    ~SpeechVoice() override;
    SpeechVoice(const SpeechVoice&) = delete;
    SpeechVoice& operator=(const SpeechVoice&) = delete;

    void say(const QString& word) override;

private:
    int socket_ = -1;
};

} // namespace app
