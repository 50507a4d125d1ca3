#pragma once

#include <QRect>
#include <QRectF>
#include <algorithm>
#include <cmath>

namespace ui {

// Every position and size of the window definitions is in twips; the screen works in logical pixels.
inline constexpr double kTwipsPerPixel = 15.0;

constexpr double twipsToPixels(double twips)
{
    return twips / kTwipsPerPixel;
}
constexpr double pixelsToTwips(double pixels)
{
    return pixels * kTwipsPerPixel;
}

// Rounds the edges rather than the size, so neighbouring controls never open a gap or overlap
// by a pixel that their twip rectangles do not have.
inline QRect twipsToPixelRect(const QRectF& twips)
{
    const int left = static_cast<int>(std::lround(twipsToPixels(twips.left())));
    const int top = static_cast<int>(std::lround(twipsToPixels(twips.top())));
    const int right =
        static_cast<int>(std::lround(twipsToPixels(twips.left() + std::max(0.0, twips.width()))));
    const int bottom =
        static_cast<int>(std::lround(twipsToPixels(twips.top() + std::max(0.0, twips.height()))));
    return QRect(left, top, right - left, bottom - top);
}

} // namespace ui
