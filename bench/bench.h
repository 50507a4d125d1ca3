// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The benchmark's parts, one file each, and the one table they fill.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace e2e {
class X11Session;
}

namespace bench {

// A row of the table printed at the end.
void row(const QString& what, const QString& measured, const QString& target, bool holds);
// Rows this machine cannot run, and why.
void skipped(const QString& what, const QString& why);
// On standard output, once all rows are in.
void printTable();

double median(std::vector<double> values);
// Resident memory of a process, this one by default, in MiB; negative if unknown.
double rssMiB(qint64 pid = 0);

// in_process.cpp: the real windows offscreen.
void inProcessRows();

// frame_rows.cpp: the rows to the painted frame, a child process (`--desktop-rows`) per screen.
void frameRows();
int frameRowsMode(const QString& screenLabel);

// How a display server runs a program: to its first frame (ms, and resident MiB 300 ms later), and
// to its three windows open. Negative where it did not get there.
struct Desktop
{
    QString name;  // "under Xvfb"
    QString frame; // what ends the start row
    std::function<std::pair<double, double>(const QString& program)> firstFrame;
    // Starts the program in `target` and opens both exercise windows; false, and why, if it could not.
    std::function<bool(QProcess& target, const QString& program, QString& why)> openThreeWindows;
    // A bound on the memory row besides the floor's ratio, where the floor is small enough for one
    // to mean something; none (0) under Wayland, where Qt loads the GL driver (about 50 MiB) into
    // every client, the floor too, to learn whether it must draw the windows' title bars.
    double capMiB = 0;
};

// start_rows.cpp: the start and memory rows, the same on every display server; under Xvfb with
// a child process (`--probe`) that watches for the first paint. A program is its path, with
// its arguments after spaces.
void startAndMemoryRows(const Desktop& desktop, const QString& zanfilo, const QString& floor);
void xvfbRows(const QString& zanfilo, const QString& floor);
Desktop xvfbDesktop(e2e::X11Session& session, const QString& name);
int probeMode(const QString& program);

// voice_rows.cpp: the same with --voce, and a click to its word, in a child (`--voice-clicks`).
void voiceRows(const QString& zanfilo, const QString& floor);
int voiceClicksMode(const QString& speakingProcess);

// wine_rows.cpp: the same for the Windows build in `windowsBuild`, under Wine.
void wineRows(const QString& windowsBuild);

// sway_rows.cpp: the same as native Wayland clients.
void swayRows(const QString& zanfilo, const QString& floor);

// Back on the start window once the count exercise is open: a key without effect, whose release
// frees the exercise group's guard (still up from the first Enter), and "2" for "Costruire
// l'insieme" with its three Enters.
inline const QStringList openSetAfterCount{QStringLiteral("Escape"), QStringLiteral("2"),
                                           QStringLiteral("Return"), QStringLiteral("Return"),
                                           QStringLiteral("Return")};

} // namespace bench
