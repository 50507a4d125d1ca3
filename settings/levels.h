// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace levels {

// The bounds of the numbers a task draws, written by the level choice of the start window.
struct LevelPreset
{
    std::int16_t minimo;
    std::int16_t massimo;
};

inline constexpr std::array<LevelPreset, 3> kLevelPresets{{{1, 5}, {1, 10}, {10, 20}}};

// The two program-wide settings (Modulo1). ValoreMinimo is empty until a level is first chosen.
struct Modulo1
{
    std::optional<std::int16_t> ValoreMinimo;
    std::int16_t ValoreMassimo = 0;

    bool levelChosen() const { return ValoreMinimo.has_value(); }
    // An empty lower bound counts as 0.
    std::int16_t minimo() const { return ValoreMinimo.value_or(0); }

    void applyLevelPreset(int index)
    {
        const LevelPreset& preset = kLevelPresets.at(static_cast<std::size_t>(index));
        ValoreMinimo = preset.minimo;
        ValoreMassimo = preset.massimo;
    }
};

// The difficulty line of an exercise window: the level whose upper bound is in force, or empty
// when none is (no level chosen yet).
inline QString levelCaption(std::int16_t massimo)
{
    for (std::size_t i = 0; i < kLevelPresets.size(); ++i) {
        if (kLevelPresets[i].massimo == massimo)
            return QStringLiteral("Difficoltà: livello %1").arg(i + 1);
    }
    return {};
}

} // namespace levels
