// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/services.h"

#include <QElapsedTimer>
#include <QTime>
#include <bit>
#include <cmath>

namespace ui {

Voice& Voice::silent()
{
    struct Silent final : Voice
    {
        void say(const QString&) override {}
    };
    static Silent voice;
    return voice;
}

float SystemClock::timeOfDay() const
{
    const QTime now = QTime::currentTime();
    return static_cast<float>(now.msecsSinceStartOfDay()) / 1000.0f;
}

double SystemClock::monotonicSeconds() const
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void StandardRandom::randomize(float seed)
{
    engine_.seed(std::bit_cast<std::uint32_t>(seed) ^ (salt_ * 0x9e3779b9u));
}

float StandardRandom::rnd()
{
    // 24 random bits scaled into [0, 1): exact in a float, and never 1.
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

int drawBetween(RandomSource& random, int minimo, int massimo)
{
    return minimo + static_cast<int>(std::floor(static_cast<double>(random.rnd()) * (massimo - minimo + 1)));
}

} // namespace ui
