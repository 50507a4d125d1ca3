// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The rows of `zanfilo --voce`, against a stand-in for the desktop's speech service: the start and
// memory rows as without the voice, and a CONTA click to its word reaching the service, the click
// in a child process (`--voice-clicks`) whose voice starts its speaking process as the program's does.
#include "app/speech_voice.h"
#include "app/window_set.h"
#include "bench.h"
#include "child_process.h"
#include "exercises/count/count_window.h"
#include "speech_stand_in.h"
#include "ui/controls.h"
#include "ui/services.h"
#include "x11_session.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <cstdio>
#include <ctime>

namespace bench {

namespace {

constexpr int kClicks = 20;

// One clock for both processes.
qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

int voiceClicksMode(const QString& speakingProcess)
{
    int argc = 1;
    char name[] = "zanfilo_bench";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    app::SpeechVoice voice(speakingProcess);
    ui::SystemClock clock;
    ui::StandardRandom random;
    app::WindowSet windows(clock, random, &voice);
    auto& w = windows.frmOperativo1();
    w.Show();
    // The speaking process has met the service by now, as it has long before a child's first click.
    e2e::settle(1000);
    for (int i = 1; i <= kClicks; ++i) {
        std::printf("%s %lld\n", qPrintable(exercise::numberWord(i)), static_cast<long long>(monotonicNs()));
        w.CmdContaElementi->click();
        e2e::settle(100);
    }
    return 0;
}

void voiceRows(const QString& zanfilo, const QString& floor)
{
    e2e::SpeechStandIn service;
    QHash<QString, qint64> heardAt;
    service.onWord = [&] { heardAt.insert(service.words.last(), monotonicNs()); };

    QProcess clicks;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SPEECHD_ADDRESS"), service.address());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    clicks.setProcessEnvironment(environment);
    e2e::endWithParent(clicks);
    clicks.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--voice-clicks"),
                  QFileInfo(zanfilo).absolutePath() + QStringLiteral("/zanfilo-voce")});
    // The stand-in answers while the child clicks.
    e2e::waitUntil([&] { return clicks.state() == QProcess::NotRunning; }, 30000);
    std::vector<double> latencies;
    for (const QByteArray& line : clicks.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 2 && heardAt.contains(QString::fromLatin1(fields[0])))
            latencies.push_back(
                static_cast<double>(heardAt.value(QString::fromLatin1(fields[0])) - fields[1].toLongLong()) /
                1e6);
    }
    const double slowest = latencies.empty() ? -1 : *std::max_element(latencies.begin(), latencies.end());
    row(QStringLiteral("CONTA click to its word at the speech service, --voce (%1 of %2 heard)")
            .arg(latencies.size())
            .arg(kClicks),
        latencies.empty() ? QStringLiteral("no word heard")
                          : QStringLiteral("median %1 ms, slowest %2 ms")
                                .arg(median(latencies), 0, 'f', 2)
                                .arg(slowest, 0, 'f', 2),
        QStringLiteral("< 16.7 ms"), latencies.size() == kClicks && slowest < 16.7);

    e2e::X11Session session;
    if (!session.ok()) {
        skipped(QStringLiteral("start and memory under Xvfb with --voce"), session.lastError());
        return;
    }
    session.setEnvironmentVariable(QStringLiteral("SPEECHD_ADDRESS"), service.address());
    startAndMemoryRows(xvfbDesktop(session, QStringLiteral("under Xvfb with --voce")),
                       zanfilo + QStringLiteral(" --voce"), floor);
    startAndMemoryRows(xvfbDesktop(session, QStringLiteral("under Xvfb with --voce --scansione=10")),
                       zanfilo + QStringLiteral(" --voce --scansione=10"), floor);
}

} // namespace bench
