#pragma once

namespace start {

// The arithmetic of the opening curtains, kept apart from the widgets so it can be checked case
// by case. Widths are in twips.
inline constexpr int kCurtainIntervalMs = 10;
inline constexpr double kCurtainStep = 75.0;
inline constexpr double kCurtainStopWidth = 10.0;

struct CurtainTick
{
    double left;
    double right;
    bool stop; // the curtains are open: the timer is no longer needed
};

// One tick: both curtains narrow by one step. A step that would leave a curtain below 0 brings it
// to 0 instead, so the curtains always finish opening and the timer always stops. Only the left
// curtain decides the stop.
constexpr CurtainTick curtainTick(double left, double right)
{
    const double newLeft = left - kCurtainStep < 0.0 ? 0.0 : left - kCurtainStep;
    const double newRight = right - kCurtainStep < 0.0 ? 0.0 : right - kCurtainStep;
    return {newLeft, newRight, newLeft <= kCurtainStopWidth};
}

} // namespace start
