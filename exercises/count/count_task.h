// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

namespace ui {
class RandomSource;
}

namespace count {

inline constexpr int kSlots = 24; // Image2(0..23); slot 0 never holds a figure
inline constexpr int kMaxFigures = kSlots - 1;

// One count-on-the-line task: how many figures, which picture, and where each stands.
struct CountTask
{
    int figura = 0;
    int numeroElementi = 0;
    std::array<int, kSlots> posizioni{}; // posizioni[k] = slot of figure k, k = 1..numeroElementi
    int draws = 0;                       // slot draws the rejection took
};

// Draws the picture, then the size uniformly in minimo..massimo, then a distinct slot among
// 1..23 for every figure, drawing again whenever the slot is taken. Sizes beyond 23 are held at
// 23, the number of slots there are.
CountTask drawCountTask(ui::RandomSource& random, int minimo, int massimo);

} // namespace count
