// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/services.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <sys/types.h>

class QSocketNotifier;
class QTimer;

namespace app {

// The desktop's speech service (speech-dispatcher), in Italian, through the speaking process
// zanfilo-voce, so a service that is slow, gone, mute or talking nonsense never holds up a window
// nor ends the program. The program never waits for it: at most one word and one name are
// pending, a newer one takes its place, and the word goes first, so after a stall the service
// hears the word for what is shown now. A name is over when the service says so, or kNameWait
// after it was handed over. Where there is no service or no Italian voice, one line on stderr says
// so and the program stays silent. Make it once QApplication exists: the speaking process is
// watched from its event loop.
class SpeechVoice final : public ui::Voice
{
public:
    // `report` takes each line to show the user (stderr, with the program's name, by default).
    explicit SpeechVoice(QString speakingProcess = installedSpeakingProcess(),
                         std::chrono::milliseconds retryAfter = std::chrono::seconds(5),
                         std::function<void(const QByteArray&)> report = {});
    ~SpeechVoice() override;
    SpeechVoice(const SpeechVoice&) = delete;
    SpeechVoice& operator=(const SpeechVoice&) = delete;

    void say(const QString& word) override;
    void name(const QString& word, const std::function<void()>& said) override;

    // zanfilo-voce beside the executable (a build folder), or where the package puts it.
    static QString installedSpeakingProcess();

private:
    bool running();
    void start();
    void sendPending();
    void answered();
    // The name handed over, or waiting, is over: said, cut short or dropped.
    static void over(std::function<void()>& name);
    void readMessages();
    void reap();
    // Closes what joined the program to an ended speaking process.
    void forget();
    void reportLine(const QByteArray& line);

    QString program_;
    std::chrono::milliseconds retryAfter_;
    std::function<void(const QByteArray&)> report_;
    // The speaking process, its input, its answers, its messages, and its end.
    pid_t pid_ = 0;
    int input_ = -1;
    int answers_ = -1;
    int messages_ = -1;
    int pidfd_ = -1;
    std::unique_ptr<QSocketNotifier> answered_;
    std::unique_ptr<QSocketNotifier> said_;
    std::unique_ptr<QSocketNotifier> ended_;
    QString pendingWord_;
    QString pendingName_;
    std::function<void()> pendingNameSaid_;
    std::function<void()> nameSaid_; // of the name being said
    std::unique_ptr<QTimer> nameWait_;
    bool ready_ = false;     // the speaking process waits for a line
    int failuresInARow_ = 0; // speaking processes that ended without reaching the service
    bool reported_ = false;  // one line a run is enough
    QElapsedTimer sinceEnd_;
    QByteArray unfinishedLine_;
};

} // namespace app
