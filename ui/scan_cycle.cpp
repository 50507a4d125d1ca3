// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/scan_cycle.h"

#include <cmath>

namespace ui {

void ScanCycle::start(double now)
{
    arrived_ = now;
    due_ = now + pace_;
    moves_ = 0;
}

ScanCycle::Press ScanCycle::press(double now)
{
    if (lastPress_ && now - *lastPress_ < kDebounce)
        return Press::Ignored;
    lastPress_ = now;
    if (resting()) {
        // The press only wakes scanning: a child cannot know what was lit before it rested.
        start(now);
        return Press::Wake;
    }
    const double paceEnd = arrived_ + pace_ * (std::floor((now - arrived_) / pace_) + 1);
    due_ = paceEnd + pace_;
    moves_ = 0;
    return Press::Act;
}

ScanCycle::Tick ScanCycle::tick(double now, int shown)
{
    if (!due_)
        return Tick::Rest;
    if (now < *due_)
        return Tick::Wait;
    // Resting after the last round has come back round, on the button it started from.
    if (++moves_ > kRoundsBeforeRest * shown) {
        rest();
        return Tick::Rest;
    }
    arrived_ = now;
    due_ = now + pace_;
    return Tick::Move;
}

int ScanCycle::following(const std::vector<bool>& shown, int current)
{
    const int count = static_cast<int>(shown.size());
    for (int step = 1; step <= count; ++step) {
        const int candidate = (current + step) % count;
        if (candidate >= 0 && shown[static_cast<std::size_t>(candidate)])
            return candidate;
    }
    return -1;
}

} // namespace ui
