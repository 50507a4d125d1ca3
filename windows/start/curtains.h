// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/twips.h"

namespace start {

// The arithmetic of the opening curtains, kept apart from the widgets so it can be checked case
// by case.
inline constexpr int kCurtainIntervalMs = 10;
inline constexpr ui::Twips kCurtainStep = ui::twips(75);
inline constexpr ui::Twips kCurtainStopWidth = ui::twips(10);

struct CurtainTick
{
    ui::Twips left;
    ui::Twips right;
    bool stop; // the curtains are open: the timer is no longer needed
};

// One tick: both curtains narrow by one step. A step that would leave a curtain below 0 brings it
// to 0 instead, so the curtains always finish opening and the timer always stops. Only the left
// curtain decides the stop.
constexpr CurtainTick curtainTick(ui::Twips left, ui::Twips right)
{
    constexpr ui::Twips none = ui::twips(0);
    const ui::Twips newLeft = left - kCurtainStep < none ? none : left - kCurtainStep;
    const ui::Twips newRight = right - kCurtainStep < none ? none : right - kCurtainStep;
    return {newLeft, newRight, newLeft <= kCurtainStopWidth};
}

} // namespace start
