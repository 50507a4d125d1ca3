// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/colour.h"

#include <algorithm>
#include <cmath>

namespace ui {

double relativeLuminance(const QColor& colour)
{
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor standingOut(const QColor& colour, const QColor& background, double minimum)
{
    if (contrastRatio(colour, background) >= minimum)
        return colour;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor& towards =
        contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
    // Sixty-four steps: finer than the eye tells apart, and few enough to cost nothing per paint.
    constexpr int kSteps = 64;
    QColor mixed = colour;
    for (int step = 1; step <= kSteps && contrastRatio(mixed, background) < minimum; ++step) {
        // Whole 8-bit channels, as the screen shows them, so the contrast is the one drawn.
        const auto mix = [step](int from, int to) { return from + (to - from) * step / kSteps; };
        mixed = QColor(mix(colour.red(), towards.red()), mix(colour.green(), towards.green()),
                       mix(colour.blue(), towards.blue()));
    }
    return mixed;
}

QColor Colour::resolveOn(const QPalette& palette, const QColor& background, double minimum) const
{
    const QColor themed = resolve(palette);
    if (!isSystem() || contrastRatio(themed, background) >= minimum)
        return themed;
    // Where even the design's own colour does not stand out (an outline around its own colour),
    // it moves only as far from it as it must.
    return standingOut(QColor::fromRgb(designValue()), background, minimum);
}

} // namespace ui
