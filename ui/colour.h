// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPalette>

namespace ui {

// A colour as the window definitions give it: a fixed RGB value, or one of the desktop's
// system colours, which must follow the theme and so are resolved only when painting.
class Colour
{
public:
    enum class System { None, WindowText, WindowBackground, ButtonFace, ButtonText };

    constexpr Colour() = default;
    static constexpr Colour rgb(int r, int g, int b) { return Colour(qRgb(r, g, b)); }
    static constexpr Colour hex(QRgb value) { return Colour(value | 0xff000000u); }
    static constexpr Colour windowText() { return Colour(System::WindowText); }
    static constexpr Colour windowBackground() { return Colour(System::WindowBackground); }
    static constexpr Colour buttonFace() { return Colour(System::ButtonFace); }
    static constexpr Colour buttonText() { return Colour(System::ButtonText); }

    constexpr bool isSystem() const { return system_ != System::None; }
    constexpr System system() const { return system_; }
    constexpr QRgb value() const { return rgb_; }

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

    friend constexpr bool operator==(const Colour&, const Colour&) = default;

private:
    constexpr explicit Colour(QRgb value) : rgb_(value) {}
    constexpr explicit Colour(System system) : system_(system) {}

    QRgb rgb_ = 0xff000000u;
    System system_ = System::None;
};

} // namespace ui
