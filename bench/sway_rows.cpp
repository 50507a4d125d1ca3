// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The same rows with the program and the floor as native Wayland clients of a headless sway, run
// as the end-to-end tests run it. The first frame is the one that maps the window: sway's window
// event "new" comes when the client commits its first painted buffer.
#include "bench.h"
#include "child_process.h"
#include "program.h"
#include "wayland_session.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>

namespace bench {

void swayRows(const QString& zanfilo, const QString& floor)
{
    const QStringList missing = e2e::WaylandSession::missingTools();
    if (!missing.isEmpty()) {
        skipped(QStringLiteral("start to first frame and memory under sway"),
                QStringLiteral("needs %1").arg(missing.join(QStringLiteral(", "))));
        return;
    }
    e2e::WaylandSession session;
    if (!session.ok()) {
        skipped(QStringLiteral("start to first frame and memory under sway"), session.lastError());
        return;
    }
    const QString swaymsg = QStandardPaths::findExecutable(QStringLiteral("swaymsg"));
    const auto firstFrame = [&](const QString& program) -> std::pair<double, double> {
        QProcess events;
        session.start(events, swaymsg,
                      {QStringLiteral("-r"), QStringLiteral("-m"), QStringLiteral("-t"),
                       QStringLiteral("subscribe"), QStringLiteral(R"(["window", "tick"])")});
        // A tick comes at once to a new subscriber: from then on no window event is missed.
        const auto nextEvent = [&events](int timeoutMs) {
            QElapsedTimer wait;
            wait.start();
            while (!events.canReadLine() && wait.elapsed() < timeoutMs)
                events.waitForReadyRead(static_cast<int>(timeoutMs - wait.elapsed()));
            return events.canReadLine() ? events.readLine() : QByteArray();
        };
        double ms = -1;
        double rss = -1;
        QProcess target;
        if (!nextEvent(5000).isEmpty()) {
            QElapsedTimer t;
            t.start();
            session.start(target, program);
            for (QByteArray event = nextEvent(10000); !event.isEmpty(); event = nextEvent(10000)) {
                if (event.contains(R"("change": "new")")) {
                    ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
                    break;
                }
            }
            e2e::settle(300);
            rss = rssMiB(target.processId());
        }
        e2e::endProcess(target, 3000);
        e2e::endProcess(events, 1000);
        // The window has gone before the next start.
        e2e::settle(200);
        return {ms, rss};
    };
    const auto openThreeWindows = [&](QProcess& target, const QString& program, QString& why) {
        const bool open =
            session.start(target, program) && session.waitForWindow(e2e::startTitle, 10000) &&
            session.type(e2e::openCount) && session.waitForWindow(e2e::countTitle, 10000) &&
            session.run(swaymsg, {QStringLiteral("[title=\"^%1$\"] focus").arg(e2e::startTitle)}) &&
            session.type(openSetAfterCount) && session.waitForWindow(e2e::setTitle, 10000);
        why = session.lastError();
        return open;
    };
    startAndMemoryRows(
        {QStringLiteral("under sway"), QStringLiteral("first frame"), firstFrame, openThreeWindows}, zanfilo,
        floor);
}

} // namespace bench
