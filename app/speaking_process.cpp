// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// zanfilo-voce PID: the speaking process that `zanfilo --voce` (process PID) starts. It holds the speech
// service's client library, which ends the process it runs in on a reply it cannot read, so that only this
// process ends then. It reads one word a line on standard input and answers on standard output
// with one byte each time it is ready for the next, so the program hands it only the newest word.
// What it has to say goes to standard error, which the program passes on.
#include <libspeechd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

bool hasItalianVoice(SPDConnection* connection)
{
    SPDVoice** voices = spd_list_synthesis_voices(connection);
    bool found = false;
    for (SPDVoice** v = voices; v && *v && !found; ++v)
        found = (*v)->language && std::strncmp((*v)->language, "it", 2) == 0;
    free_spd_voices(voices);
    return found;
}

void ready(int answers)
{
    // The program waits for no answer: if it is gone, its end of the pipe closes ours.
    if (write(answers, "+", 1) != 1)
        std::exit(EXIT_SUCCESS);
}

} // namespace

int main(int argc, char* argv[])
{
    // It ends with the program that started it (the one whose number it is given), even one
    // killed outright or gone while this one started.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (argc != 2 || getppid() != std::atoi(argv[1]))
        return EXIT_SUCCESS;
    // The answers keep the standard output of their own; anything the library prints goes with
    // this process's messages instead of being taken for an answer.
    const int answers = dup(STDOUT_FILENO);
    if (answers < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return EXIT_FAILURE;
    // A service that hangs up mid-word costs the word, not the process.
    std::signal(SIGPIPE, SIG_IGN);

    char* error = nullptr;
    SPDConnection* connection = spd_open2("zanfilo", "main", nullptr, SPD_MODE_SINGLE, nullptr, 1, &error);
    if (!connection) {
        // The library's reason, on the one line the program gives it.
        std::string reason = error ? error : "speech-dispatcher";
        std::free(error);
        for (char& c : reason)
            c = c == '\n' ? ' ' : c;
        reason.erase(reason.find_last_not_of(' ') + 1);
        std::fprintf(stderr, "nessuna voce, il servizio vocale non risponde (%s)\n", reason.c_str());
        return EXIT_FAILURE;
    }
    if (!hasItalianVoice(connection) || spd_set_language(connection, "it") != 0) {
        std::fprintf(stderr, "nessuna voce, il servizio vocale non ha una voce italiana\n");
        spd_close(connection);
        return EXIT_FAILURE;
    }

    ready(answers);
    char word[256];
    while (std::fgets(word, sizeof word, stdin)) {
        word[std::strcspn(word, "\r\n")] = '\0';
        // Only this program's word still being said is cut short, never another program's; and
        // at priority "message" the word waits behind what other programs are saying.
        if (spd_cancel(connection) != 0 || spd_say(connection, SPD_MESSAGE, word) < 0) {
            std::fprintf(stderr, "il servizio vocale non risponde più, si continua senza voce\n");
            spd_close(connection);
            return EXIT_FAILURE;
        }
        ready(answers);
    }
    spd_close(connection);
    return EXIT_SUCCESS;
}
