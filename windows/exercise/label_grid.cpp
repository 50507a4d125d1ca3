// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/exercise/label_grid.h"

#include "windows/colours.h"

namespace exercise {

using namespace colours;

namespace {

// By quantity; index 0 unused.
const std::array<ui::Colour, 11> kUnitColours{kWhite, kWhite, kRed,   kLightGreen, kPink,  kYellow,
                                              kGreen, kBlack, kBrown, kDarkBlue,   kOrange};

} // namespace

CellPlace cellPlace(int column, int index)
{
    if (index == column)
        return {0, 0};
    if (column == 12 && (index == 1 || index == 2))
        return {0, index == 1 ? 2 : 1};
    if (column == 15) {
        // First stack from the top 15, 1, 3, 2, 5, 4, 7, 6, 9, 8; second 11, 10, 13, 12, 14.
        constexpr std::array<CellPlace, 15> places{{{0, 1},
                                                    {0, 3},
                                                    {0, 2},
                                                    {0, 5},
                                                    {0, 4},
                                                    {0, 7},
                                                    {0, 6},
                                                    {0, 9},
                                                    {0, 8},
                                                    {1, 1},
                                                    {1, 0},
                                                    {1, 3},
                                                    {1, 2},
                                                    {1, 4},
                                                    {0, 0}}};
        return places.at(static_cast<std::size_t>(index - 1));
    }
    if (index <= 9)
        return {0, index};
    return {1, index - 10};
}

ui::Colour cellColour(int column, int index)
{
    if (column <= 10)
        return kUnitColours.at(static_cast<std::size_t>(column));
    if (column == 20 || cellPlace(column, index).stack == 0)
        return kOrange;
    if (column == 11)
        return kWhite;
    if (column == 18)
        return kDarkBrown;
    return kUnitColours.at(static_cast<std::size_t>(column - 10));
}

} // namespace exercise
