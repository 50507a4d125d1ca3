// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/fonts.h"

// The faces the windows are designed with, sizes in points. The free faces that stand in for
// them on Linux are chosen in ui/fonts.cpp.
namespace fonts {

inline QFont arial(double points, bool bold)
{
    return ui::designFont(QStringLiteral("Arial"), points, bold);
}

inline QFont timesNewRoman(double points, bool bold)
{
    return ui::designFont(QStringLiteral("Times New Roman"), points, bold);
}

// The classic dialog face: the version line and the exercise buttons.
inline QFont msSansSerif(double points, bool bold)
{
    return ui::designFont(QStringLiteral("MS Sans Serif"), points, bold);
}

} // namespace fonts
