#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
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

// Fonts are given in points at 96 dots per inch; a pixel size keeps text the stated size whatever
// DPI the display reports.
inline QFont designFont(const QString& family, double points, bool bold)
{
    QFont font(family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    font.setBold(bold);
    return font;
}

} // namespace ui
