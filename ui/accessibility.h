// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QObject;

namespace ui {

// Makes the layer's own widgets readable by screen readers: a label reads as static text with
// its caption as its name. Installed once; safe to call again.
void installAccessibility();

// Tells screen readers that the text of a control changed. The observer sees every announcement,
// whether or not a screen reader is listening (tests use it).
void announceTextChange(QObject* control);
void setAnnouncementObserver(std::function<void(QObject*)> observer);

} // namespace ui
