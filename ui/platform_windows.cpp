// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// What differs on Windows; Linux builds compile platform_unix.cpp instead.
#include "ui/keys.h"

#include <QGuiApplication>

namespace ui {

ScanCodes platformScanCodes()
{
    return QGuiApplication::platformName() == QLatin1String("windows") ? ScanCodes::Windows : ScanCodes::None;
}

} // namespace ui
