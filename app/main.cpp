// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/window_set.h"
#include "ui/fonts.h"
#include "ui/runtime.h"
#include "ui/services.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zanfilo"));
    QApplication::setApplicationVersion(QStringLiteral(ZANFILO_VERSION));
    // Lets the desktop match the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.zanfilo.Zanfilo"));
    // The program ends when its start window has unloaded every window, not when one closes.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFontSubstitutions();

    ui::SystemClock clock;
    ui::StandardRandom random;
    app::WindowSet windows(clock, random);
    windows.runtime().setOnLastWindowUnloaded([] { QCoreApplication::exit(0); });
    windows.start();
    return QApplication::exec();
}
