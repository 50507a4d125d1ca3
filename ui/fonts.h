// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>

namespace ui {

// The windows ask for the classic desktop faces; where a system lacks them (Linux, Wine), the
// metric-compatible free faces stand in, so text keeps its stated size and weight. Qt tries the
// face asked for first, so where it exists (Windows) nothing changes.
void installFontSubstitutions();

// Fonts are given in points at 96 dots per inch; a pixel size keeps text the stated size whatever
// DPI the display reports.
QFont designFont(const QString& family, double points, bool bold);

} // namespace ui
