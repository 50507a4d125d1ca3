// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace app {

// What the command line asks for. It is read before anything needs a display, so --help and
// --version work without one.
struct CommandLine
{
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    bool voce = false; // counts and verdicts said aloud
    QString error;     // why, for Fail
};

// The program's own switches among `arguments` (the program's name first); Qt's own options
// (-platform, -style, ...) are passed over, for QApplication to take.
CommandLine readCommandLine(const QStringList& arguments);

// What --help prints.
QString usage();

} // namespace app
