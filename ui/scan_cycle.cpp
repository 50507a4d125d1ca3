// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/scan_cycle.h"

#include <algorithm>
#include <cmath>

namespace ui {

void ScanCycle::start(double now)
{
    arrived_ = since_ = now;
    due_ = paceDue_ = now + pace_;
    naming_.reset();
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
    due_ = paceDue_ = paceEnd + pace_;
    naming_.reset();
    since_ = now;
    moves_ = 0;
    return Press::Act;
}

void ScanCycle::awaitName(double now)
{
    if (!due_)
        return;
    naming_ = now;
    due_ = std::max(paceDue_, now + kNameWait + pace_);
}

void ScanCycle::nameSaid(double now)
{
    if (!due_ || !naming_)
        return;
    due_ = std::max(paceDue_, std::min(now, *naming_ + kNameWait) + pace_);
    naming_.reset();
}

ScanCycle::Tick ScanCycle::tick(double now, int shown)
{
    if (!due_ || shown <= 0) {
        rest();
        return Tick::Rest;
    }
    if (now < *due_)
        return Tick::Wait;
    naming_.reset();
    // Resting where the rounds began, the last one come back round.
    if (moves_ >= kRoundsBeforeRest * shown && moves_ % shown == 0 && now - since_ >= kSecondsBeforeRest) {
        rest();
        return Tick::Rest;
    }
    ++moves_;
    arrived_ = now;
    due_ = paceDue_ = now + pace_;
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
