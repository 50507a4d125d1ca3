// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/colour.h"
#include "ui/twips.h"

#include <array>

namespace exercise {

// The label grid: column N shows the quantity N as N bordered squares, index 1..N, in up to two
// stacks of ten hanging from one top line.
inline constexpr int kColumns = 20;
inline constexpr ui::Twips kCellSize = ui::twips(180);
inline constexpr ui::Twips kCellPitch = ui::twips(195);
inline constexpr ui::Twips kGridTop = ui::twips(105);

// Left edge of each column's first stack, by column (index 0 unused).
inline constexpr std::array<ui::Twips, kColumns + 1> kFirstStackLeft{
    ui::twips(0),    ui::twips(180),  ui::twips(645),  ui::twips(1095), ui::twips(1590), ui::twips(2085),
    ui::twips(2580), ui::twips(3030), ui::twips(3495), ui::twips(3945), ui::twips(4380), ui::twips(4845),
    ui::twips(5325), ui::twips(5820), ui::twips(6285), ui::twips(6795), ui::twips(7230), ui::twips(7740),
    ui::twips(8175), ui::twips(8670), ui::twips(9120)};

struct CellPlace
{
    int stack; // 0 the first stack, 1 the second, 195 twips to its right
    int row;   // 0 at the top
};

// Where cell `index` of `column` stands. Index N heads the first stack; 1..9 follow below it and
// 10 onwards fill the second stack. Columns 12 and 15 keep their own deviating order.
CellPlace cellPlace(int column, int index);

// The fill of a cell: one colour per quantity, the tens in orange.
ui::Colour cellColour(int column, int index);

} // namespace exercise
