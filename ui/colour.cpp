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

namespace {

// The least contrast WCAG asks of text against its background, and of an outline against what it
// encloses.
constexpr double kTextContrast = 4.5;
constexpr double kOutlineContrast = 3.0;

QColor themedOrDesigned(const Colour& colour, const QPalette& palette, const QColor& background,
                        double minimum)
{
    const QColor themed = colour.resolve(palette);
    if (!colour.isSystem() || contrastRatio(themed, background) >= minimum)
        return themed;
    return QColor::fromRgb(colour.designValue());
}

} // namespace

QColor grooveOn(const QColor& face)
{
    const QColor grey(128, 128, 128);
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor& towards = contrastRatio(black, face) >= contrastRatio(white, face) ? black : white;
    // Sixty-four steps: finer than the eye tells apart, and few enough to cost nothing per paint.
    constexpr int kSteps = 64;
    QColor mixed = grey;
    for (int step = 1; step <= kSteps && contrastRatio(mixed, face) < kOutlineContrast; ++step) {
        // Whole 8-bit channels, as the screen shows them, so the contrast is the one drawn.
        const auto mix = [step](int from, int to) { return from + (to - from) * step / kSteps; };
        mixed = QColor(mix(grey.red(), towards.red()), mix(grey.green(), towards.green()),
                       mix(grey.blue(), towards.blue()));
    }
    return mixed;
}

QColor Colour::textOn(const QPalette& palette, const QColor& background) const
{
    return themedOrDesigned(*this, palette, background, kTextContrast);
}

QColor Colour::outlineOn(const QPalette& palette, const QColor& background) const
{
    return themedOrDesigned(*this, palette, background, kOutlineContrast);
}

} // namespace ui
