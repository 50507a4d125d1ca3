// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/proportional_layout.h"

#include "ui/control.h"

namespace ui {

namespace {

float fraction(Twips value, Twips divisor)
{
    return divisor == Twips() ? 0.0f : static_cast<float>(value / divisor);
}

bool neverMoved(ControlKind kind)
{
    return kind == ControlKind::Timer || kind == ControlKind::Menu || kind == ControlKind::ComboBox ||
           kind == ControlKind::Line;
}

} // namespace

Proporzioni rilevaProporzioni(const std::vector<Control*>& controls, Twips scaleWidth, Twips scaleHeight)
{
    Proporzioni result(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Control& c = *controls[i];
        ProporzioniControllo& r = result[i];
        if (c.hasSize()) {
            r.Larghezza = fraction(c.Width(), scaleWidth);
            r.Altezza = fraction(c.Height(), scaleHeight);
        }
        if (c.hasPosition()) {
            r.Sinistra = fraction(c.Left(), scaleWidth);
            r.Alto = fraction(c.Top(), scaleHeight);
        }
    }
    return result;
}

void applicaProporzioni(const std::vector<Control*>& controls, const Proporzioni& proportions,
                        const std::function<TwipSize()>& scaleSize)
{
    const std::size_t n = std::min(controls.size(), proportions.size());
    for (std::size_t i = 0; i < n; ++i) {
        Control& c = *controls[i];
        if (neverMoved(c.kind()))
            continue;
        const TwipSize size = scaleSize();
        // Single precision, as the fractions are.
        const float w = static_cast<float>(size.width.value());
        const float h = static_cast<float>(size.height.value());
        const ProporzioniControllo& r = proportions[i];
        c.Move(Twips(w * r.Sinistra), Twips(h * r.Alto), Twips(w * r.Larghezza), Twips(h * r.Altezza));
    }
}

} // namespace ui
