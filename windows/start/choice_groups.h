// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/keys.h"

#include <cstddef>
#include <string_view>

namespace start {

// The two guards of a choice group. A held key acts once: the guard it sets stays set until a
// key is released in the group, or a mouse button in the group before.
struct ChoiceGuards
{
    bool spazio = false; // space has moved the focus
    bool tasto = false;  // a choice key has been accepted
};

// The keys a choice group answers on key-down. Enter runs the group's step for the focused
// element; any key not named here is consumed and leaves the guards alone. Digits are written
// as characters: their codes are the main keyboard's key codes, 48 to 57.
struct ChoiceKeys
{
    std::string_view focusDigits; // the i-th digit moves the focus to element i
    std::string_view idleDigits;  // digits accepted without effect
};

inline constexpr ChoiceKeys kEsercizioKeys{"12", ""};
inline constexpr ChoiceKeys kLivelloKeys{"123", "0456"};
inline constexpr ChoiceKeys kAzioneKeys{"123", ""};

struct ChoiceKeyEffect
{
    enum class Kind {
        Focus,
        NoEffect,
        Enter,
        Consumed,
    };
    Kind kind;
    int focusTo = -1; // the element, for Focus
};

constexpr ChoiceKeyEffect choiceKeyEffect(const ChoiceKeys& keys, int keyCode)
{
    using Kind = ChoiceKeyEffect::Kind;
    if (keyCode == ui::key::Return)
        return {Kind::Enter};
    for (std::size_t i = 0; i < keys.focusDigits.size(); ++i) {
        if (keyCode == keys.focusDigits[i])
            return {Kind::Focus, static_cast<int>(i)};
    }
    for (const char digit : keys.idleDigits) {
        if (keyCode == digit)
            return {Kind::NoEffect};
    }
    return {Kind::Consumed};
}

} // namespace start
