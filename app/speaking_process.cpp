// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// zanfilo-voce PID: the speaking process that `zanfilo --voce` (process PID) starts. It holds the speech
// service's client library, which ends the process it runs in on a reply it cannot read, so that only this
// process ends then. It reads one line at a time on standard input, "w WORD" for a word of the exercise or
// "n NAME" for the name of a button scanning reached, and answers on standard output with "+" each time it
// is ready for the next line, and "." once the newest message has been said or cut short (the service's
// END or CANCEL), so the program hands it only the newest word and knows when a name is over.
// What it has to say goes to standard error, which the program passes on.
#include <libspeechd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>
#include <utility>

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

int answers = -1;

// What the service has said, told from its own thread as it happens.
struct Progress
{
    std::mutex lock;
    int newest = 0;   // the message last handed over; 0 while one is being handed over
    int lastWord = 0; // the exercise's word last handed over
    int ended = 0;    // the highest message said or cut short
    bool told = true; // the program knows the newest has ended
};
Progress progress;

void answer(char what)
{
    // The program waits for no answer: if it is gone, its end of the pipe closes ours.
    if (write(answers, &what, 1) != 1)
        std::_Exit(EXIT_SUCCESS);
}

// Under the lock.
void tellIfEnded()
{
    if (progress.newest > 0 && progress.ended >= progress.newest && !std::exchange(progress.told, true))
        answer('.');
}

void ended(std::size_t message, std::size_t, SPDNotificationType)
{
    const std::lock_guard hold(progress.lock);
    progress.ended = std::max(progress.ended, static_cast<int>(message));
    tellIfEnded();
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
    answers = dup(STDOUT_FILENO);
    if (answers < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return EXIT_FAILURE;
    // A service that hangs up mid-word costs the word, not the process.
    std::signal(SIGPIPE, SIG_IGN);

    char* error = nullptr;
    // Threaded: the service's END and CANCEL arrive while this process waits for the next line.
    SPDConnection* connection = spd_open2("zanfilo", "main", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
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
    connection->callback_end = connection->callback_cancel = ended;
    spd_set_notification_on(connection, SPD_END);
    spd_set_notification_on(connection, SPD_CANCEL);

    answer('+');
    char line[256];
    while (std::fgets(line, sizeof line, stdin)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        const bool word = line[0] != 'n';
        const char* text = line[0] != '\0' && line[1] == ' ' ? line + 2 : line;
        bool wordUnsaid = false;
        {
            const std::lock_guard hold(progress.lock);
            wordUnsaid = progress.lastWord > progress.ended;
            progress.newest = 0;
        }
        // Only this program's message still being said is cut short, never another program's; and
        // at priority "message" it waits behind what other programs are saying. A name never cuts
        // the exercise's word: it waits its turn behind it.
        const bool cut = word || !wordUnsaid;
        const int message = cut && spd_cancel(connection) != 0 ? -1 : spd_say(connection, SPD_MESSAGE, text);
        if (message < 0) {
            std::fprintf(stderr, "il servizio vocale non risponde più, si continua senza voce\n");
            spd_close(connection);
            return EXIT_FAILURE;
        }
        const std::lock_guard hold(progress.lock);
        if (word)
            progress.lastWord = message;
        progress.newest = message;
        progress.told = false;
        answer('+');
        tellIfEnded();
    }
    spd_close(connection);
    return EXIT_SUCCESS;
}
