// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/widgetless.h"

#include <QAction>

namespace ui {

// Timer ---------------------------------------------------------------------------------------

Timer::Timer(QObject* owner, const QString& name, Twips left, Twips top)
    : QObject(owner), Control(ControlKind::Timer, name, -1), left_(left), top_(top)
{
    setObjectName(name);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (Tick)
            Tick();
    });
}

void Timer::setInterval(int milliseconds)
{
    interval_ = milliseconds;
    timer_.setInterval(milliseconds);
    setEnabled(enabled_);
}

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (enabled_ && interval_ > 0)
        timer_.start();
    else
        timer_.stop();
}

void Timer::detachHandlers()
{
    timer_.stop();
    Tick = nullptr;
}

// MenuEntry -----------------------------------------------------------------------------------

MenuEntry::MenuEntry(QAction* action, const QString& name, int index)
    : Control(ControlKind::Menu, name, index), action_(action)
{
    action_->setObjectName(qualifiedName());
}

QString MenuEntry::Caption() const
{
    return action_ ? action_->text() : QString();
}

} // namespace ui
