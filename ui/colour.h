// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPalette>

namespace ui {

// WCAG 2: the relative luminance of a colour (0 black, 1 white) and the contrast of two (1 to 21).
double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);

// A frame's etched groove on `face`: the classic grey, darkened just enough to stay in sight on a
// light face such as the windows' pink.
QColor grooveOn(const QColor& face);

// A colour as the window definitions give it: a fixed RGB value, or one of the desktop's
// system colours, which must follow the theme and so are resolved only when painting.
class Colour
{
public:
    enum class System { None, WindowText, WindowBackground, ButtonFace, ButtonText };

    constexpr Colour() = default;
    static constexpr Colour hex(QRgb value) { return Colour(value | 0xff000000u); }
    static constexpr Colour windowText() { return Colour(System::WindowText); }
    static constexpr Colour windowBackground() { return Colour(System::WindowBackground); }
    static constexpr Colour buttonFace() { return Colour(System::ButtonFace); }
    static constexpr Colour buttonText() { return Colour(System::ButtonText); }

    constexpr bool isSystem() const { return system_ != System::None; }
    constexpr QRgb value() const { return rgb_; }

    // The colour the design was drawn with: a system colour as the classic light desktop gave it.
    constexpr QRgb designValue() const
    {
        switch (system_) {
        case System::None:
            return rgb_;
        case System::WindowBackground:
            return 0xffffffffu;
        case System::ButtonFace:
            return 0xffc0c0c0u;
        case System::WindowText:
        case System::ButtonText:
            return 0xff000000u;
        }
        return rgb_;
    }

    QColor resolve(const QPalette& palette) const
    {
        switch (system_) {
        case System::None:
            return QColor::fromRgb(rgb_);
        case System::WindowText:
            return palette.color(QPalette::WindowText);
        case System::WindowBackground:
            return palette.color(QPalette::Base);
        case System::ButtonFace:
            return palette.color(QPalette::Button);
        case System::ButtonText:
            return palette.color(QPalette::ButtonText);
        }
        return QColor::fromRgb(rgb_);
    }

    // Text and outlines drawn on `background`, one of the design's fixed colours as often as not. A
    // system colour follows the theme only where it stands out there as WCAG asks of text (4.5:1)
    // or of an outline (3:1); otherwise it is the design's own, unchanged, as the design's colours
    // were chosen together on the light desktop.
    QColor textOn(const QPalette& palette, const QColor& background) const;
    QColor outlineOn(const QPalette& palette, const QColor& background) const;

    friend constexpr bool operator==(const Colour&, const Colour&) = default;

private:
    constexpr explicit Colour(QRgb value) : rgb_(value) {}
    constexpr explicit Colour(System system) : system_(system) {}

    QRgb rgb_ = 0xff000000u;
    System system_ = System::None;
};

} // namespace ui
