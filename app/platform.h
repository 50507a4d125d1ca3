// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/services.h"

#include <QString>
#include <memory>

// What differs between the systems the program is built for: each has a file of its own
// (platform_unix.cpp, platform_windows.cpp), and the build compiles one.
namespace app {

// The voice of --voce, or none where this build has no voice (it says so on stderr).
std::unique_ptr<ui::Voice> makeVoice();
// What --help says of --voce, or nothing where this build has no voice.
QString voiceUsage();
// Where the program was started from a console, its output (UTF-8) goes there.
void useStartingConsole();

} // namespace app
