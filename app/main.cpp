// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/command_line.h"
#include "app/platform.h"
#include "app/window_set.h"
#include "ui/fonts.h"
#include "ui/runtime.h"
#include "ui/scanner.h"
#include "ui/services.h"

#include <QApplication>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    app::useStartingConsole();
    std::unique_ptr<QApplication> application;
    const app::CommandLine line = app::startOnCommandLine(argc, argv, application);
    switch (line.action) {
    case app::CommandLine::Action::Help:
        std::fputs(app::usage().toUtf8().constData(), stdout);
        return 0;
    case app::CommandLine::Action::Version:
        std::puts("zanfilo " ZANFILO_VERSION);
        return 0;
    case app::CommandLine::Action::Fail:
        std::fprintf(stderr, "zanfilo: %s\n\n%s", line.error.toUtf8().constData(),
                     app::usage().toUtf8().constData());
        return 2;
    case app::CommandLine::Action::Run:
        break;
    }

    QApplication::setApplicationName(QStringLiteral("Zanfilo"));
    QApplication::setApplicationVersion(QStringLiteral(ZANFILO_VERSION));
    // Lets the desktop match the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.zanfilo.Zanfilo"));
    // The program ends when its start window has unloaded every window, not when one closes.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFontSubstitutions();

    // Only when asked for: without it nothing is started.
    const std::unique_ptr<ui::Voice> voice = line.voce ? app::makeVoice() : nullptr;
    ui::SystemClock clock;
    ui::StandardRandom random;
    app::WindowSet windows(clock, random, voice.get());
    windows.runtime().setOnLastWindowUnloaded([] { QCoreApplication::exit(0); });
    // Before the start, so that it sees the first window become active.
    const std::unique_ptr<ui::Scanner> scanner =
        line.scansione ? std::make_unique<ui::Scanner>(windows.runtime(), *line.scansione) : nullptr;
    windows.start();
    return QApplication::exec();
}
