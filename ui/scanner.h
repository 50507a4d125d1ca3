// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/form.h"
#include "ui/scan_cycle.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace ui {

class Button;
class Runtime;

// Scanning for a child who works with one switch: in the active window the keyboard focus moves
// by itself from button to button, highlighted, and Space, Enter or a mouse press anywhere in the
// window acts on the highlighted button as a press on it would. With a voice, each button is
// named as it is highlighted. Made only when asked for; without it nothing of this runs.
class Scanner final : public QObject
{
    Q_OBJECT
public:
    Scanner(Runtime& runtime, double pace);
    ~Scanner() override;
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    // The highlighted button; null while resting or without an active window.
    Button* highlighted() const;
    bool isTicking() const { return timer_.isActive(); }
    // What the pace's timer was set to, in milliseconds; -1 when it does not run.
    int timerInterval() const { return timer_.isActive() ? timer_.interval() : -1; }
    // What the pace's timer runs; tests call it after moving their clock.
    void tick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void begin(Form* form);
    void end(Form* form);
    void pause();
    void resume();
    // The window's buttons, and the way back where it offers one.
    std::vector<ScanItem> itemsOf(Form& form);
    void followFocus(QWidget* now);
    void press();
    void light(Button* button, bool named);
    void say(const Button* button);
    void unlight();
    void schedule();
    static void act(Button& button);
    double now() const;

    Runtime& runtime_;
    ScanCycle cycle_;
    QPointer<Form> form_;
    std::vector<ScanItem> items_; // of form_, as it was last asked
    QPointer<Button> lit_;
    QTimer timer_;
    bool paused_ = false;        // the program lost the activation to another one
    bool pausedResting_ = false; // and scanning rested then
    bool nothingShown_ = false;  // a button the window shows later starts scanning
    int naming_ = 0;             // the name last asked for, so a late word of an older one is let be
    std::vector<QPointer<Button>> wayBacks_;
};

} // namespace ui
