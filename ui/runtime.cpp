// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/runtime.h"

#include "ui/accessibility.h"
#include "ui/form.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

namespace ui {

Runtime::Runtime(Clock& clock, RandomSource& random, Voice& voice)
    : clock_(clock), random_(random), voice_(voice)
{
    installAccessibility();
    qApp->installEventFilter(this);
}

bool Runtime::anyLoaded() const
{
    return !loaded_.empty();
}

void Runtime::formLoaded(Form& form)
{
    if (std::find(loaded_.begin(), loaded_.end(), &form) == loaded_.end())
        loaded_.push_back(&form);
}

void Runtime::formUnloaded(Form& form)
{
    std::erase(loaded_, &form);
    std::erase(activationOrder_, &form);
    if (active_ == &form)
        active_ = nullptr;
    Q_EMIT unloaded(&form);
    if (loaded_.empty()) {
        if (onLastUnloaded_)
            onLastUnloaded_();
        return;
    }
    // The desktop hands the activation to the window beneath; not every platform does it for
    // us, so the program does. Not while a window is unloading: the program may be ending.
    const bool ending = std::any_of(loaded_.begin(), loaded_.end(), [](Form* f) { return f->isUnloading(); });
    if (ending || (QApplication::activeWindow() && QApplication::activeWindow()->isVisible()))
        return;
    const auto shown = std::find_if(activationOrder_.rbegin(), activationOrder_.rend(),
                                    [](Form* f) { return f->window() && f->window()->isVisible(); });
    if (shown != activationOrder_.rend()) {
        (*shown)->window()->raise();
        (*shown)->window()->activateWindow();
    }
}

void Runtime::formActivated(Form& form)
{
    std::erase(activationOrder_, &form);
    activationOrder_.push_back(&form);
    if (active_ == &form)
        return; // the program came back from another application: not a new activation
    active_ = &form;
    form.Form_Activate();
    Q_EMIT activated(&form);
}

bool Runtime::eventFilter(QObject* watched, QEvent* event)
{
    // A press on an inactive window acts on the window made active, as where the platform
    // activates it first (X11). Wayland sends the press before the activation: the window is
    // activated here, and the late activation finds it active already.
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
        watched->isWidgetType()) {
        const QWidget* window = static_cast<QWidget*>(watched)->window();
        const auto form =
            std::find_if(loaded_.begin(), loaded_.end(), [&](Form* f) { return f->window() == window; });
        if (form != loaded_.end() && *form != active_)
            (*form)->handleActivated();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
