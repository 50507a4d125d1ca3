// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QAccessibleEvent;
class QObject;

namespace ui {

// Makes the layer's own widgets readable by screen readers: a label reads as static text with
// its caption as its name. Installed once; safe to call again.
void installAccessibility();

// Tells screen readers that the text of a control changed. The observer sees every event sent,
// whether or not a screen reader is listening (tests use it): a screen reader speaks a label's
// new text only on a name change, so the kind of event matters as much as its sending.
void announceTextChange(QObject* control);
void setAnnouncementObserver(std::function<void(const QAccessibleEvent&)> observer);

} // namespace ui
