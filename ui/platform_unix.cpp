// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// What differs on Linux desktops; the Windows build compiles platform_windows.cpp instead.
#include "ui/keys.h"

#include <QGuiApplication>

namespace ui {

ScanCodes platformScanCodes()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"))
               ? ScanCodes::Xkb
               : ScanCodes::None;
}

} // namespace ui
