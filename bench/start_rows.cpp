// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The start and memory rows: program and floor to their first frame, and the program's memory
// with its three windows open; here under Xvfb, where a child process watches for the first paint.
#include "bench.h"
#include "child_process.h"
#include "program.h"
#include "x11_session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <cstdio>

namespace bench {

namespace {

// Runs a program on the display and times it to the first paint of its window's background,
// seen by polling one pixel; returns ms and the resident memory once painted.
std::pair<double, double> firstPaint(const e2e::X11Session& session, const QString& program)
{
    QProcess probe;
    probe.setProcessEnvironment(session.environment());
    e2e::endWithParent(probe);
    probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--probe"), program});
    QByteArray output;
    QString error;
    if (!e2e::finishTool(probe, 30000, &output, error))
        std::fprintf(stderr, "  %s\n", qPrintable(error));
    const QList<QByteArray> fields = output.trimmed().split(' ');
    if (fields.size() != 2)
        return {-1, -1};
    return {fields[0].toDouble(), fields[1].toDouble()};
}

bool openThreeWindows(e2e::X11Session& session, QProcess& target, const QString& program, QString& why)
{
    target.setProcessEnvironment(session.environment());
    e2e::endWithParent(target);
    target.startCommand(program);
    // Each exercise opens from the start window, given the focus again before its keys; where a
    // window manager runs, activated by it too, which Wine needs before it passes on the keys.
    const auto toStart = [&] {
        const QString start = session.waitForWindow(e2e::startTitle, 40000);
        return !start.isEmpty() && (!session.hasWindowManager() || session.restore(start));
    };
    const bool open = toStart() && session.keys(e2e::openCount, 400) &&
                      !session.waitForWindow(e2e::countTitle, 10000).isEmpty() && toStart() &&
                      session.keys(openSetAfterCount, 400) &&
                      !session.waitForWindow(e2e::setTitle, 10000).isEmpty();
    why = session.lastError();
    return open;
}

// Resident memory with the start window and both exercise windows open.
double threeWindows(const Desktop& desktop, const QString& program)
{
    QProcess target;
    QString why;
    const bool open = desktop.openThreeWindows(target, program, why);
    if (!open)
        std::fprintf(stderr, "  %s: %s\n", qPrintable(desktop.name), qPrintable(why));
    e2e::settle(1000);
    const double rss = open ? rssMiB(target.processId()) : -1;
    e2e::endProcess(target, 3000);
    return rss;
}

} // namespace

int probeMode(const QString& program)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen->geometry().center() - QPoint(795 / 2, 592 / 2);
    const QPoint at = origin + QPoint(3, 592 - 60);
    QProcess target;
    QElapsedTimer t;
    t.start();
    target.startCommand(program);
    target.waitForStarted();
    double ms = -1;
    while (t.elapsed() < 10000) {
        const QImage pixel = screen->grabWindow(0, at.x(), at.y(), 1, 1).toImage();
        // The window's own pink, or the curtain that covers it at first.
        const QRgb seen = pixel.isNull() ? 0 : pixel.pixel(0, 0);
        if (seen == qRgb(0xFF, 0xC0, 0xFF) || seen == qRgb(0xFF, 0x80, 0xFF)) {
            ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
            break;
        }
        QThread::usleep(500);
    }
    QThread::msleep(300);
    const double rss = rssMiB(target.processId());
    target.kill();
    target.waitForFinished();
    std::printf("%.2f %.2f\n", ms, rss);
    return 0;
}

// Program and floor take turns, seven times each; the floor's memory is its window painted.
void startAndMemoryRows(const Desktop& desktop, const QString& zanfilo, const QString& floor)
{
    std::vector<double> program;
    std::vector<double> bare;
    double floorRss = 0;
    for (int i = 0; i < 7; ++i) {
        const auto [floorMs, rss] = desktop.firstFrame(floor);
        floorRss = rss;
        bare.push_back(floorMs);
        program.push_back(desktop.firstFrame(zanfilo).first);
    }
    const double ratio = median(program) / median(bare);
    row(QStringLiteral("start to %1 %2 (floor %3 ms)")
            .arg(desktop.frame, desktop.name)
            .arg(median(bare), 0, 'f', 1),
        QStringLiteral("%1 ms = %2 x floor").arg(median(program), 0, 'f', 1).arg(ratio, 0, 'f', 2),
        QStringLiteral("<= 1.3 x floor"), median(bare) > 0 && ratio > 0 && ratio <= 1.3);

    const double rss = threeWindows(desktop, zanfilo);
    row(QStringLiteral("memory with all three windows open %1 (floor %2 MiB)")
            .arg(desktop.name)
            .arg(floorRss, 0, 'f', 1),
        rss < 0 ? QStringLiteral("the windows did not open")
                : QStringLiteral("%1 MiB = %2 x floor").arg(rss, 0, 'f', 1).arg(rss / floorRss, 0, 'f', 2),
        desktop.capMiB > 0 ? QStringLiteral("<= 1.4 x floor and < %1 MiB").arg(desktop.capMiB)
                           : QStringLiteral("<= 1.4 x floor"),
        rss > 0 && rss / floorRss <= 1.4 && (desktop.capMiB <= 0 || rss < desktop.capMiB));
}

void xvfbRows(const QString& zanfilo, const QString& floor)
{
    e2e::X11Session session;
    if (!session.ok()) {
        std::fprintf(stderr, "  %s\n", qPrintable(session.lastError()));
        row(QStringLiteral("start to first paint under Xvfb"), QStringLiteral("no Xvfb"), QStringLiteral("-"),
            false);
        return;
    }
    startAndMemoryRows(xvfbDesktop(session, QStringLiteral("under Xvfb")), zanfilo, floor);
}

Desktop xvfbDesktop(e2e::X11Session& session, const QString& name)
{
    return {name, QStringLiteral("first paint"),
            [&session](const QString& program) { return firstPaint(session, program); },
            [&session](QProcess& target, const QString& program, QString& why) {
                return openThreeWindows(session, target, program, why);
            },
            50};
}

} // namespace bench
