// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/colour.h"

// The program's own colours, as its windows are drawn with them.
namespace colours {

inline constexpr ui::Colour kPink = ui::Colour::hex(0xFFC0FF);        // windows, frames, bars
inline constexpr ui::Colour kCurtainPink = ui::Colour::hex(0xFF80FF); // the start window's curtains
inline constexpr ui::Colour kPeach = ui::Colour::hex(0xFFE0C0);       // choice and button faces
inline constexpr ui::Colour kFocusPeach = ui::Colour::hex(0xFFC080);  // the choice with the focus
inline constexpr ui::Colour kLightYellow = ui::Colour::hex(0xFFFFC0); // the number line, the grid
inline constexpr ui::Colour kRed = ui::Colour::hex(0xFF0000);         // titles, discs, the board
inline constexpr ui::Colour kDarkRed = ui::Colour::hex(0xC00000);
inline constexpr ui::Colour kBlue = ui::Colour::hex(0x0000FF);
inline constexpr ui::Colour kDarkBlue = ui::Colour::hex(0x0000C0);
inline constexpr ui::Colour kBlack = ui::Colour::hex(0x000000);
// The label grid's code, one colour per quantity (the tens orange).
inline constexpr ui::Colour kLightGreen = ui::Colour::hex(0xC0FFC0);
inline constexpr ui::Colour kYellow = ui::Colour::hex(0xFFFF80);
inline constexpr ui::Colour kGreen = ui::Colour::hex(0x00C000);
inline constexpr ui::Colour kBrown = ui::Colour::hex(0xC04000);
inline constexpr ui::Colour kDarkBrown = ui::Colour::hex(0x804000);
inline constexpr ui::Colour kOrange = ui::Colour::hex(0xFF8000);
// The picture board and the squares of one: the window background of the light desktop the design
// was drawn on, kept whatever the theme, as the figures are drawn for it and the squares' colours
// are a code.
inline constexpr ui::Colour kWhite = ui::Colour::hex(0xFFFFFF);

} // namespace colours
