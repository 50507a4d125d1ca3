// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/twips.h"

#include <functional>
#include <vector>

namespace ui {

class Control;

// A control's load-time place and size as fractions of the window's inner area.
struct ProporzioniControllo
{
    float Larghezza = 0; // Width / ScaleWidth
    float Altezza = 0;   // Height / ScaleHeight
    float Alto = 0;      // Top / ScaleHeight
    float Sinistra = 0;  // Left / ScaleWidth
};

using Proporzioni = std::vector<ProporzioniControllo>;

// Records every entry of the collection. A property the control lacks, or a zero divisor, leaves
// that fraction at 0. Fractions are not clamped.
Proporzioni rilevaProporzioni(const std::vector<Control*>& controls, Twips scaleWidth, Twips scaleHeight);

// Puts every control back at its recorded fractions of the current inner size. Timers, menu
// entries, combo boxes and lines are never moved. The inner size is read afresh for each control.
void applicaProporzioni(const std::vector<Control*>& controls, const Proporzioni& proportions,
                        const std::function<TwipSize()>& scaleSize);

} // namespace ui
