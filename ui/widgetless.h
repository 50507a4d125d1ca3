// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The controls that have no widget: a timer and a menu entry.

#include "ui/control.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QAction;

namespace ui {

// A periodic timer. It has a place in the window (where it was dropped) but no size, and is never
// laid out. The ticks use a precise timer so an animation keeps the rate it asks for.
class Timer : public QObject, public Control
{
    Q_OBJECT
public:
    Timer(QObject* owner, const QString& name, Twips left, Twips top);

    bool hasSize() const override { return false; }
    Twips Left() const override { return left_; }
    Twips Top() const override { return top_; }

    int Interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isTicking() const { return timer_.isActive(); }
    void detachHandlers() override;

    std::function<void()> Tick;

private:
    QTimer timer_;
    Twips left_;
    Twips top_;
    int interval_ = 0;
    bool enabled_ = false;
};

// An entry of the window's menu: it has neither place nor size.
class MenuEntry : public Control
{
public:
    MenuEntry(QAction* action, const QString& name, int index = -1);

    bool hasPosition() const override { return false; }
    bool hasSize() const override { return false; }
    QAction* action() const { return action_; }
    QString Caption() const;

private:
    QPointer<QAction> action_;
};

} // namespace ui
