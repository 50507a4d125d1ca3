// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QApplication;

namespace app {

// What the command line asks for.
struct CommandLine
{
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    bool voce = false;               // counts and verdicts said aloud
    QString error;                   // why, for Fail
    std::optional<double> scansione; // the pace of scanning in seconds, for a child on one switch
};

// --scansione alone, and the paces it takes, in seconds.
inline constexpr double kDefaultScanPace = 2;
inline constexpr double kFastestScanPace = 0.5;
inline constexpr double kSlowestScanPace = 10;

// Reads the command line as the program does. --help and --version are looked for before Qt
// starts, so they answer without a display; otherwise `application` is made, taking Qt's own
// options (-platform, -style, ...) out of argc and argv, and what it leaves is the program's.
CommandLine startOnCommandLine(int& argc, char** argv, std::unique_ptr<QApplication>& application);

// What --help prints.
QString usage();

} // namespace app
