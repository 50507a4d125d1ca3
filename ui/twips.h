// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <algorithm>
#include <cmath>
#include <compare>
#include <type_traits>

namespace ui {

// A length in twips, the unit of every position and size of the window definitions. Its own type,
// because a control's Width() in twips and Qt's width() in pixels differ only by a letter's case:
// a pixel count handed where twips are expected must not compile.
class Twips
{
public:
    constexpr Twips() = default;
    constexpr explicit Twips(double value) : value_(value) {}

    constexpr double value() const { return value_; }

    constexpr Twips operator-() const { return Twips(-value_); }
    friend constexpr Twips operator+(Twips a, Twips b) { return Twips(a.value_ + b.value_); }
    friend constexpr Twips operator-(Twips a, Twips b) { return Twips(a.value_ - b.value_); }
    friend constexpr Twips operator*(Twips a, double k) { return Twips(a.value_ * k); }
    friend constexpr Twips operator*(double k, Twips a) { return Twips(k * a.value_); }
    friend constexpr Twips operator/(Twips a, double k) { return Twips(a.value_ / k); }
    friend constexpr double operator/(Twips a, Twips b) { return a.value_ / b.value_; }
    // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 misreads a defaulted <=> as a 0 literal
    friend constexpr auto operator<=>(const Twips&, const Twips&) = default;

private:
    double value_ = 0;
};

static_assert(!std::is_convertible_v<double, Twips> && !std::is_convertible_v<int, Twips>,
              "a bare number must say that it is twips");
static_assert(!std::is_convertible_v<Twips, double>, "twips leave their type only through value()");

// A control's place and size in twips, relative to its container.
struct TwipRect
{
    Twips left;
    Twips top;
    Twips width;
    Twips height;

    // The bare numbers, for comparing with a table of twip values.
    constexpr QRectF value() const { return {left.value(), top.value(), width.value(), height.value()}; }

    friend constexpr bool operator==(const TwipRect&, const TwipRect&) = default;
};

struct TwipSize
{
    Twips width;
    Twips height;
};

// How the window definitions write twips: twips(120) for a length, twips(105, 150, 3195, 1380)
// for a rectangle.
constexpr Twips twips(double value)
{
    return Twips(value);
}
constexpr TwipRect twips(double left, double top, double width, double height)
{
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

// The screen works in logical pixels. This is the only place that turns one into the other.
inline constexpr double kTwipsPerPixel = 15.0;

constexpr double twipsToPixels(Twips length)
{
    return length.value() / kTwipsPerPixel;
}
constexpr Twips pixelsToTwips(double pixels)
{
    return Twips(pixels * kTwipsPerPixel);
}

// Rounds the edges rather than the size, so neighbouring controls never open a gap or overlap
// by a pixel that their twip rectangles do not have.
inline QRect twipsToPixelRect(const TwipRect& rect)
{
    const auto edge = [](Twips at) { return static_cast<int>(std::lround(twipsToPixels(at))); };
    const int left = edge(rect.left);
    const int top = edge(rect.top);
    const int right = edge(rect.left + std::max(Twips(), rect.width));
    const int bottom = edge(rect.top + std::max(Twips(), rect.height));
    return QRect(left, top, right - left, bottom - top);
}

} // namespace ui
