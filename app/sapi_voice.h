// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/services.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <thread>
// sapi.h needs windows.h first.
#include <windows.h>

#include <sapi.h>

namespace app {

// Windows' own speech (SAPI 5), in its Italian voice. The SAPI voice lives on a thread of its own,
// with COM there, and the GUI thread never waits for it: it leaves at most one word and one name
// pending, a newer one takes its place, and the word goes first, so after a stall the voice says
// the word for what is shown now. A word cuts only this program's own speech (other programs' and
// Narrator's go on); a name waits behind a word still being said. A name is over when SAPI has said
// it, or 3 s after it was handed over. Without an Italian voice, or with a SAPI that fails,
// one line on stderr says so and the program stays silent.
class SapiVoice final : public ui::Voice
{
public:
    // Makes the SAPI voice, on the voice's own thread.
    using Factory = std::function<HRESULT(ISpVoice**)>;

    // `report` takes the line to show the user (stderr, with the program's name, by default).
    explicit SapiVoice(Factory makeVoice = italianVoice, std::function<void(const QByteArray&)> report = {});
    ~SapiVoice() override;
    SapiVoice(const SapiVoice&) = delete;
    SapiVoice& operator=(const SapiVoice&) = delete;

    void say(const QString& word) override;
    void name(const QString& word, const std::function<void()>& said) override;

    // A SAPI voice speaking with the first of Windows' voices whose language is Italian
    // (Language=410), or SPERR_NOT_FOUND where there is none.
    static HRESULT italianVoice(ISpVoice** voice);

private:
    struct Shared;
    static void run(const std::shared_ptr<Shared>& shared, const Factory& makeVoice);

    // Where the voice's thread sends `said` and the line, to be run on the GUI thread.
    std::unique_ptr<QObject> gui_;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

} // namespace app
