// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/speech_voice.h"

#include <libspeechd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace app {

namespace {

bool hasItalianVoice(SPDConnection* connection)
{
    SPDVoice** voices = spd_list_synthesis_voices(connection);
    bool found = false;
    for (SPDVoice** v = voices; v && *v && !found; ++v)
        found = (*v)->language && std::string((*v)->language).rfind("it", 0) == 0;
    free_spd_voices(voices);
    return found;
}

SPDConnection* connectInItalian()
{
    char* error = nullptr;
    SPDConnection* connection = spd_open2("zanfilo", "main", nullptr, SPD_MODE_SINGLE, nullptr, 1, &error);
    if (!connection) {
        // The library's reason, on the one line the program gives it.
        std::string reason = error ? error : "speech-dispatcher";
        std::free(error);
        std::replace(reason.begin(), reason.end(), '\n', ' ');
        std::fprintf(stderr, "zanfilo: nessuna voce, il servizio vocale non risponde (%s)\n",
                     reason.substr(0, reason.find_last_not_of(' ') + 1).c_str());
        return nullptr;
    }
    if (!hasItalianVoice(connection) || spd_set_language(connection, "it") != 0) {
        std::fprintf(stderr, "zanfilo: nessuna voce, il servizio vocale non ha una voce italiana\n");
        spd_close(connection);
        return nullptr;
    }
    return connection;
}

// The speaking process: a word at a time from the program, the newest of those waiting.
[[noreturn]] void relay(int socket)
{
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // A service that hangs up mid-word costs the word, not the process.
    std::signal(SIGPIPE, SIG_IGN);
    SPDConnection* connection = connectInItalian();
    char word[256];
    char newer[sizeof word];
    ssize_t length = 0;
    while (connection && (length = recv(socket, word, sizeof word - 1, 0)) > 0) {
        for (ssize_t n; (n = recv(socket, newer, sizeof newer - 1, MSG_DONTWAIT)) > 0; length = n)
            std::copy_n(newer, n, word);
        word[length] = '\0';
        if (spd_cancel(connection) != 0 || spd_say(connection, SPD_TEXT, word) < 0) {
            std::fprintf(stderr, "zanfilo: il servizio vocale non risponde più, si continua senza voce\n");
            spd_close(connection);
            connection = nullptr;
        }
    }
    if (connection)
        spd_close(connection);
    // Nothing of the program's own to tidy here: that is the program's.
    _exit(0);
}

} // namespace

SpeechVoice::SpeechVoice()
{
    // Messages keep a word whole, and a full queue refuses a word whole.
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    const pid_t pid = fork();
    if (pid == 0) {
        close(ends[0]);
        relay(ends[1]);
    }
    close(ends[1]);
    if (pid < 0)
        close(ends[0]);
    else
        socket_ = ends[0];
}

SpeechVoice::~SpeechVoice()
{
    // The speaking process says goodbye to the service and ends; the program does not wait.
    if (socket_ >= 0)
        close(socket_);
}

void SpeechVoice::say(const QString& word)
{
    if (socket_ < 0)
        return;
    const QByteArray bytes = word.toUtf8().left(255);
    // Never waits: a word the speaking process has no room for, or that finds it gone, is lost.
    send(socket_, bytes.constData(), static_cast<std::size_t>(bytes.size()), MSG_DONTWAIT | MSG_NOSIGNAL);
}

} // namespace app
