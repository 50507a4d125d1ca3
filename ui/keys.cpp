// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/keys.h"

#include <QKeyEvent>

namespace ui {

namespace {

// The key code of the digit row's key at `nativeScanCode` (1 to 9, then 0: the same physical keys
// on every layout), or 0 off the row.
int digitRowKey(quint32 nativeScanCode, ScanCodes scheme)
{
    constexpr quint32 kXkbDigit1 = 10;
    constexpr quint32 kWindowsDigit1 = 2;
    const quint32 first = scheme == ScanCodes::Xkb ? kXkbDigit1 : kWindowsDigit1;
    if (scheme == ScanCodes::None || nativeScanCode < first || nativeScanCode > first + 9)
        return 0;
    return key::Digit0 + static_cast<int>(nativeScanCode - first + 1) % 10;
}

} // namespace

int keyCodeOf(const QKeyEvent& event)
{
    return keyCodeOf(event.key(), event.modifiers(), event.nativeScanCode(), platformScanCodes());
}

int keyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, ScanCodes scheme)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    const bool digit = qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
    // An on-screen or virtual keyboard brings its own keymap and may send any symbol on any key:
    // a digit is that digit and a function key keeps its meaning wherever it sits. Only a printed
    // symbol that is no digit (Shift+2 types "@", AZERTY's digit keys type "&", "é", ...) is read
    // by its place in the digit row.
    const bool printable = qtKey > Qt::Key_Space && qtKey < Qt::Key_Escape;
    if (const int place = digitRowKey(nativeScanCode, scheme); !keypad && !digit && printable && place != 0)
        return place;
    if (digit)
        return (keypad ? key::Numpad0 : key::Digit0) + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return key::LetterA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return key::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return key::Return;
    case Qt::Key_Space:
        return key::Space;
    case Qt::Key_Backspace:
        return key::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return key::Tab;
    case Qt::Key_Escape:
        return key::Escape;
    case Qt::Key_Left:
        return key::Left;
    case Qt::Key_Up:
        return key::Up;
    case Qt::Key_Right:
        return key::Right;
    case Qt::Key_Down:
        return key::Down;
    case Qt::Key_Delete:
        return key::Delete;
    case Qt::Key_Shift:
        return key::Shift;
    case Qt::Key_Control:
        return key::Control;
    case Qt::Key_Alt:
        return key::Menu;
    default:
        return 0;
    }
}

int characterOf(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return key::Return;
    const QString text = event.text();
    if (text.size() != 1)
        return 0;
    const char16_t c = text.at(0).unicode();
    return c < 256 ? static_cast<int>(c) : 0;
}

int shiftStateOf(const QInputEvent& event)
{
    int state = 0;
    if (event.modifiers().testFlag(Qt::ShiftModifier))
        state |= shift::Shift;
    if (event.modifiers().testFlag(Qt::ControlModifier))
        state |= shift::Ctrl;
    if (event.modifiers().testFlag(Qt::AltModifier))
        state |= shift::Alt;
    return state;
}

} // namespace ui
