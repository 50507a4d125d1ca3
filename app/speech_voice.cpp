// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/speech_voice.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string_view>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace app {

namespace {

constexpr int kGivenUp = 2; // a failed start and its one retry
// The service tells when a name has been said; one that does not is not waited for longer.
constexpr std::chrono::seconds kNameWait(3);

void toStderr(const QByteArray& line)
{
    std::fprintf(stderr, "zanfilo: %s\n", line.constData());
}

void closeAll(std::initializer_list<int> fds)
{
    for (const int fd : fds)
        if (fd >= 0)
            close(fd);
}

} // namespace

SpeechVoice::SpeechVoice(QString speakingProcess, std::chrono::milliseconds retryAfter,
                         std::function<void(const QByteArray&)> report)
    : program_(std::move(speakingProcess)), retryAfter_(retryAfter),
      report_(report ? std::move(report) : toStderr), nameWait_(std::make_unique<QTimer>())
{
    nameWait_->setSingleShot(true);
    nameWait_->setInterval(kNameWait);
    QObject::connect(nameWait_.get(), &QTimer::timeout, nameWait_.get(), [this] { over(nameSaid_); });
    start();
}

SpeechVoice::~SpeechVoice()
{
    if (pid_ <= 0)
        return;
    // The end of its input lets it say goodbye to the service; one that is stalled there is
    // killed rather than holding up the end of the program.
    answered_.reset();
    said_.reset();
    ended_.reset();
    close(std::exchange(input_, -1));
    pollfd end{pidfd_, POLLIN, 0};
    if (poll(&end, 1, 200) <= 0)
        kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    forget();
}

QString SpeechVoice::installedSpeakingProcess()
{
    const QString here = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString besides = here + QStringLiteral("zanfilo-voce");
    return QFileInfo(besides).isExecutable() ? besides
                                             : here + QStringLiteral(ZANFILO_SPEAKING_PROCESS_FROM_BIN);
}

bool SpeechVoice::running()
{
    if (pid_ <= 0) {
        // One more try a while after a failure, as the service starts itself on demand; a
        // service that keeps failing is left alone.
        if (failuresInARow_ >= kGivenUp || sinceEnd_.elapsed() < retryAfter_.count())
            return false;
        start();
    }
    return pid_ > 0;
}

void SpeechVoice::say(const QString& word)
{
    if (!running())
        return;
    // The word takes the place of a name not yet said.
    over(pendingNameSaid_);
    pendingName_.clear();
    pendingWord_ = word;
    sendPending();
}

void SpeechVoice::name(const QString& word, const std::function<void()>& said)
{
    if (!running()) {
        said();
        return;
    }
    over(pendingNameSaid_);
    pendingName_ = word;
    pendingNameSaid_ = said;
    sendPending();
}

void SpeechVoice::over(std::function<void()>& name)
{
    if (const std::function<void()> said = std::exchange(name, nullptr))
        said();
}

// posix_spawn, not QProcess: the same fork and exec, without QProcess's code in the program's
// memory. Its end is noticed through a pidfd and reaped at once.
void SpeechVoice::start()
{
    // Its input is a socket, so a word sent after its end costs no SIGPIPE.
    int input[2];
    int answers[2];
    int messages[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input) != 0 || pipe2(answers, O_CLOEXEC) != 0 ||
        pipe2(messages, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, answers[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, messages[1], STDERR_FILENO);
    QByteArray path = program_.toLocal8Bit();
    // It ends with the program, which it knows by this.
    QByteArray program = QByteArray::number(getpid());
    char* argv[] = {path.data(), program.data(), nullptr};
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    closeAll({input[0], answers[1], messages[1]});
    if (failed != 0) {
        closeAll({input[1], answers[0], messages[0]});
        reportLine("nessuna voce, manca il programma che parla: " + path);
        failuresInARow_ = kGivenUp;
        return;
    }
    pid_ = pid;
    input_ = input[1];
    answers_ = answers[0];
    messages_ = messages[0];
    // glibc 2.36 declares pidfd_open without C linkage for C++; the system call is the same.
    pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
    ready_ = false;
    if (pidfd_ < 0) {
        // A kernel before 5.3: no way to hear of its end without waiting, so no voice.
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        forget();
        reportLine("nessuna voce su questo sistema");
        failuresInARow_ = kGivenUp;
        return;
    }

    answered_ = std::make_unique<QSocketNotifier>(answers_, QSocketNotifier::Read);
    QObject::connect(answered_.get(), &QSocketNotifier::activated, answered_.get(), [this] { answered(); });
    said_ = std::make_unique<QSocketNotifier>(messages_, QSocketNotifier::Read);
    QObject::connect(said_.get(), &QSocketNotifier::activated, said_.get(), [this] { readMessages(); });
    ended_ = std::make_unique<QSocketNotifier>(pidfd_, QSocketNotifier::Read);
    QObject::connect(ended_.get(), &QSocketNotifier::activated, ended_.get(), [this] { reap(); });
}

void SpeechVoice::answered()
{
    char bytes[16];
    const ssize_t n = read(answers_, bytes, sizeof bytes);
    if (n <= 0) {
        answered_->setEnabled(false);
        return;
    }
    for (const char answer : std::string_view(bytes, static_cast<std::size_t>(n))) {
        if (answer == '+') {
            // The line went to the service.
            ready_ = true;
            failuresInARow_ = 0;
            if (nameSaid_)
                nameWait_->start();
        } else if (answer == '.' && ready_) {
            // The newest message is over; one before a line not yet taken up is not.
            nameWait_->stop();
            over(nameSaid_);
        }
    }
    sendPending();
}

void SpeechVoice::readMessages()
{
    char bytes[512];
    for (ssize_t n; (n = read(messages_, bytes, sizeof bytes)) > 0;)
        unfinishedLine_.append(bytes, n);
    for (qsizetype end; (end = unfinishedLine_.indexOf('\n')) >= 0; unfinishedLine_.remove(0, end + 1))
        reportLine(unfinishedLine_.left(end));
}

void SpeechVoice::reap()
{
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_)
        return;
    // What it wrote last, before its end.
    readMessages();
    if (!unfinishedLine_.isEmpty())
        reportLine(std::exchange(unfinishedLine_, {}));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        ++failuresInARow_;
    // The notifiers go with the next start, not inside their own signals.
    for (QSocketNotifier* n : {answered_.get(), said_.get(), ended_.get()})
        n->setEnabled(false);
    forget();
    sinceEnd_.start();
    // Nothing more will be said for a while: no name is waited for.
    pendingName_.clear();
    nameWait_->stop();
    over(nameSaid_);
    over(pendingNameSaid_);
}

void SpeechVoice::forget()
{
    closeAll({input_, answers_, messages_, pidfd_});
    input_ = answers_ = messages_ = pidfd_ = -1;
    pid_ = 0;
    ready_ = false;
}

void SpeechVoice::sendPending()
{
    if (!ready_ || (pendingWord_.isEmpty() && pendingName_.isEmpty()))
        return;
    // The word first; it cuts the name being said.
    const bool word = !pendingWord_.isEmpty();
    nameWait_->stop();
    over(nameSaid_);
    if (!word)
        nameSaid_ = std::exchange(pendingNameSaid_, nullptr);
    // One line at a time, into an empty socket: it never waits.
    QString text = std::exchange(word ? pendingWord_ : pendingName_, {});
    const QByteArray line =
        (word ? "w " : "n ") + text.remove(QLatin1Char('\n')).remove(QLatin1Char('\r')).toUtf8() + '\n';
    send(input_, line.constData(), static_cast<std::size_t>(line.size()), MSG_DONTWAIT | MSG_NOSIGNAL);
    ready_ = false;
}

void SpeechVoice::reportLine(const QByteArray& line)
{
    if (!std::exchange(reported_, true))
        report_(line);
}

} // namespace app
