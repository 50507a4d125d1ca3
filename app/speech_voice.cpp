// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/speech_voice.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <unistd.h>

namespace app {

namespace {

constexpr int kGivenUp = 2; // a failed start and its one retry

void toStderr(const QByteArray& line)
{
    std::fprintf(stderr, "zanfilo: %s\n", line.constData());
}

} // namespace

SpeechVoice::SpeechVoice(QString speakingProcess, std::chrono::milliseconds retryAfter,
                         std::function<void(const QByteArray&)> report)
    : program_(std::move(speakingProcess)), retryAfter_(retryAfter),
      report_(report ? std::move(report) : toStderr)
{
    start();
}

SpeechVoice::~SpeechVoice()
{
    if (!process_)
        return;
    QObject::disconnect(process_.get(), nullptr, nullptr, nullptr);
    // The end of its input lets it say goodbye to the service; one that is stalled there is
    // killed by the process's destructor rather than holding up the end of the program.
    process_->closeWriteChannel();
    process_->waitForFinished(200);
}

QString SpeechVoice::installedSpeakingProcess()
{
    const QString here = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString besides = here + QStringLiteral("zanfilo-voce");
    return QFileInfo(besides).isExecutable() ? besides
                                             : here + QStringLiteral(ZANFILO_SPEAKING_PROCESS_FROM_BIN);
}

void SpeechVoice::say(const QString& word)
{
    if (!process_ || process_->state() == QProcess::NotRunning) {
        // One more try a while after a failure, as the service starts itself on demand; a
        // service that keeps failing is left alone.
        if (failuresInARow_ >= kGivenUp || sinceEnd_.elapsed() < retryAfter_.count())
            return;
        start();
    }
    pending_ = word;
    pending_.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    sendPending();
}

void SpeechVoice::start()
{
    process_ = std::make_unique<QProcess>();
    ready_ = false;
    metService_ = false;
    QProcess* p = process_.get();
    const pid_t program = getpid();
    p->setChildProcessModifier([program] {
        // It ends with the program, even one killed outright or gone while this one started.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != program)
            _exit(0);
    });
    QObject::connect(p, &QProcess::readyReadStandardOutput, p, [this, p] {
        if (!p->readAllStandardOutput().contains('+'))
            return;
        ready_ = true;
        metService_ = true;
        failuresInARow_ = 0;
        sendPending();
    });
    QObject::connect(p, &QProcess::readyReadStandardError, p, [this, p] {
        unfinishedLine_ += p->readAllStandardError();
        for (qsizetype end; (end = unfinishedLine_.indexOf('\n')) >= 0; unfinishedLine_.remove(0, end + 1))
            reportLine(unfinishedLine_.left(end));
    });
    QObject::connect(p, &QProcess::finished, p, [this](int code, QProcess::ExitStatus status) {
        if (!unfinishedLine_.isEmpty())
            reportLine(std::exchange(unfinishedLine_, {}));
        ready_ = false;
        if (status != QProcess::NormalExit || code != 0)
            ++failuresInARow_;
        sinceEnd_.start();
    });
    QObject::connect(p, &QProcess::errorOccurred, p, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        reportLine("nessuna voce, manca il programma che parla: " + program_.toLocal8Bit());
        failuresInARow_ = kGivenUp;
    });
    p->start(program_, {});
}

void SpeechVoice::sendPending()
{
    if (!ready_ || pending_.isEmpty())
        return;
    process_->write(pending_.toUtf8() + '\n');
    pending_.clear();
    ready_ = false;
}

void SpeechVoice::reportLine(const QByteArray& line)
{
    if (!std::exchange(reported_, true))
        report_(line);
}

} // namespace app
