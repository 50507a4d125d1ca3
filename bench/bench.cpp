// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// Speed and memory of the program against targets, as one table. Figures that depend on the
// machine are taken as ratios to a floor measured in the same run: a bare Qt Widgets program of
// the program's size (bench_floor). The rows to the painted frame run in a child process per
// screen size and scale factor, each on an Xvfb of its own, against the same floor in-process.
// The start and memory rows run on Xvfb and again on a headless sway, as native Wayland clients.
// Run: zanfilo_bench [path/to/zanfilo path/to/bench_floor]
#include "bench.h"

#include "ui/fonts.h"
#include "x11_session.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

struct Row
{
    QString what;
    QString measured;
    QString target;
    bool holds;
    bool skipped = false;
};
std::vector<Row> rows;

} // namespace

void row(const QString& what, const QString& measured, const QString& target, bool holds)
{
    rows.push_back({what, measured, target, holds});
}

void skipped(const QString& what, const QString& why)
{
    rows.push_back({what, QStringLiteral("skipped: ") + why, QStringLiteral("-"), false, true});
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double rssMiB(qint64 pid)
{
    QFile status(pid == 0 ? QStringLiteral("/proc/self/status") : QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void printTable()
{
    std::printf("| What | Measured | Target | Holds |\n|---|---|---|---|\n");
    for (const Row& r : rows) {
        const char* holds = r.holds ? "yes" : "NO";
        std::printf("| %s | %s | %s | %s |\n", qPrintable(r.what), qPrintable(r.measured),
                    qPrintable(r.target), r.skipped ? "-" : holds);
    }
}

} // namespace bench

int main(int argc, char* argv[])
{
    // The benchmark and its children need no session bus; none is autolaunched.
    qputenv("DBUS_SESSION_BUS_ADDRESS", e2e::X11Session::noBusAddress);
    if (argc == 3 && QByteArray(argv[1]) == "--desktop-rows") {
        QApplication application(argc, argv);
        return bench::frameRowsMode(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 3 && QByteArray(argv[1]) == "--voice-clicks")
        return bench::voiceClicksMode(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--probe") {
        QGuiApplication application(argc, argv);
        return bench::probeMode(QString::fromLocal8Bit(argv[2]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ui::installFontSubstitutions();
    bench::inProcessRows();
    const QString dir = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
    const QString zanfilo = argc > 2 ? QString::fromLocal8Bit(argv[1]) : dir + QStringLiteral("/../zanfilo");
    const QString floor = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir + QStringLiteral("/bench_floor");
    bench::xvfbRows(zanfilo, floor);
    bench::voiceRows(zanfilo, floor);
    // scripts/windows.sh leaves the Windows build, and its Wine prefix, beside this one.
    if (const QString windows = qEnvironmentVariable("ZANFILO_WINDOWS_BUILD"); !windows.isEmpty())
        bench::wineRows(windows);
    bench::swayRows(zanfilo, floor);
    bench::frameRows();
    bench::printTable();
    return 0;
}