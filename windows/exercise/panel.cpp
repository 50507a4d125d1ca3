// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/exercise/panel.h"

#include <cmath>

namespace exercise {

QString signedText(std::int64_t value)
{
    return value >= 0 ? QLatin1Char(' ') + QString::number(value) : QString::number(value);
}

QString partialCaption(std::int64_t seconds)
{
    return seconds >= 99 ? QStringLiteral("99") : signedText(seconds);
}

QString totalCaption(std::int64_t seconds)
{
    return seconds >= 999 ? QStringLiteral("999") : signedText(seconds);
}

std::int64_t wholeSeconds(double start, double end)
{
    const double elapsed = std::floor(end - start);
    return elapsed > 0 ? static_cast<std::int64_t>(elapsed) : 0;
}

} // namespace exercise
