// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <Qt>
#include <QtGlobal>

class QInputEvent;
class QKeyEvent;

namespace ui {

// Key codes as the windows' key handlers know them: the virtual key codes of the classic desktop.
namespace key {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Menu = 18;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
inline constexpr int Digit0 = 48;  // main keyboard 0..9 are 48..57
inline constexpr int LetterA = 65; // A..Z are 65..90
inline constexpr int Numpad0 = 96; // keypad 0..9 are 96..105
inline constexpr int F1 = 112;
} // namespace key

// Shift state bits passed with key and mouse events.
namespace shift {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace shift

// How a platform numbers the physical keys (QKeyEvent::nativeScanCode): xkb key codes on X11 and
// Wayland, the keyboard's own scan codes on Windows, nothing known elsewhere (offscreen).
enum class ScanCodes { None, Xkb, Windows };
// The scheme of the platform the program runs on; each system's build has its own.
ScanCodes platformScanCodes();

// The key code of a Qt key event, keeping main-keyboard digits apart from keypad digits;
// 0 for keys that have none. The digit row gives 48..57 by the physical key, whatever the
// layout and the modifiers make it type, where the platform's scan codes are known.
int keyCodeOf(const QKeyEvent& event);
// The same from the event's parts.
int keyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, ScanCodes scheme);
// The character a key press produces, or 0 when it produces none (or one beyond Latin-1).
int characterOf(const QKeyEvent& event);
// The shift state (Shift 1, Ctrl 2, Alt 4) of a key or mouse event.
int shiftStateOf(const QInputEvent& event);

} // namespace ui
