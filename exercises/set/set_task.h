// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace ui {
class RandomSource;
}

namespace set {

// One rebuild-the-set task: the size to build and the picture the child's figures show.
struct SetTask
{
    int numeroElementi = 0;
    int figura = 0;
};

// Draws the size uniformly in minimo..massimo first, then the picture.
SetTask drawSetTask(ui::RandomSource& random, int minimo, int massimo);

} // namespace set
