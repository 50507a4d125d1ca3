// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The start and memory rows of the Windows build under Wine, against the floor built with the same
// static Qt for Windows, on an Xvfb as the Linux rows. A Wine server kept running throughout spares
// both the server's own start, which a Windows PC does not have.
#include "bench.h"
#include "x11_session.h"

#include <QFileInfo>
#include <QProcess>
#include <cstdio>

namespace bench {

void wineRows(const QString& windowsBuild)
{
    const QString zanfilo = windowsBuild + QStringLiteral("/zanfilo.exe");
    const QString floor = windowsBuild + QStringLiteral("/bench_floor.exe");
    if (!QFileInfo::exists(zanfilo) || !QFileInfo::exists(floor)) {
        skipped(QStringLiteral("under Wine"),
                QStringLiteral("no %1 or %2 (scripts/windows.sh builds them)").arg(zanfilo, floor));
        return;
    }
    QProcess::execute(QStringLiteral("wineserver"), {QStringLiteral("--persistent")});
    for (const QString& options : {QString(), QStringLiteral(" --voce")}) {
        e2e::X11Session session;
        if (!session.ok()) {
            skipped(QStringLiteral("under Wine"), session.lastError());
            break;
        }
        Desktop desktop =
            xvfbDesktop(session, QStringLiteral("under Wine") +
                                     (options.isEmpty() ? QString() : QStringLiteral(" with") + options));
        // Wine's own libraries are most of either figure: the ratio is the bound.
        desktop.capMiB = 0;
        // Wine passes keys on to a window only once a window manager has activated it; the start
        // rows run without one, as the Linux rows do.
        desktop.openThreeWindows = [&session, open = desktop.openThreeWindows](
                                       QProcess& target, const QString& program, QString& why) {
            return (session.hasWindowManager() || session.startWindowManager()) && open(target, program, why);
        };
        startAndMemoryRows(desktop, QStringLiteral("wine ") + zanfilo + options,
                           QStringLiteral("wine ") + floor);
    }
    QProcess::execute(QStringLiteral("wineserver"), {QStringLiteral("--kill")});
}

} // namespace bench
