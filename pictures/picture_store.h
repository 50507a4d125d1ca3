// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/picture.h"

#include <QIcon>
#include <array>

namespace pictures {

// The store of figure pictures (FrmFigure): never shown, it only hands out copies. Figure 0 is
// the empty picture that clears a slot; 1 to 12 are the figures a task draws from.
class PictureStore
{
public:
    static constexpr int kFigureCount = 12;

    PictureStore();

    // Using the store loads it; the program's end releases it.
    void Load() { loaded_ = true; }
    void Unload() { loaded_ = false; }
    bool isLoaded() const { return loaded_; }

    // The picture of figure k, 0..12; any other index gives the empty picture.
    ui::Picture Image3(int k);

private:
    std::array<ui::Picture, kFigureCount + 1> figures_;
    bool loaded_ = false;
};

// The pictures of the three level buttons: 0 "up to 5", 1 "up to 10", 2 "beyond 10".
ui::Picture levelPicture(int level);

// The program's icon: a blue triangle, apex up.
QIcon programIcon();

} // namespace pictures
