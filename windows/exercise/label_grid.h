#pragma once

#include "ui/colour.h"

#include <array>

namespace exercise {

// The label grid: column N shows the quantity N as N bordered squares, index 1..N, in up to two
// stacks of ten hanging from one top line.
inline constexpr int kColumns = 20;
inline constexpr double kCellSize = 180;
inline constexpr double kCellPitch = 195;
inline constexpr double kGridTop = 105;

// Left edge of each column's first stack, by column (index 0 unused).
inline constexpr std::array<double, kColumns + 1> kFirstStackLeft{0,    180,  645,  1095, 1590, 2085, 2580,
                                                                  3030, 3495, 3945, 4380, 4845, 5325, 5820,
                                                                  6285, 6795, 7230, 7740, 8175, 8670, 9120};

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
