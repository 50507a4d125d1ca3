// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>
#include <QObject>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/services.h"

namespace ui {

class Form;

// What the desktop runtime did for the windows: it knows which windows are loaded, raises a
// window's activation only when the program's active window really changes, gives the
// activation to the remaining window when one closes, and ends the program when none is left.
class Runtime : public QObject
{
    Q_OBJECT
public:
    Runtime(Clock& clock, RandomSource& random, Voice& voice);

    Clock& clock() const { return clock_; }
    RandomSource& random() const { return random_; }
    Voice& voice() { return voice_; }
    // How many words the windows have said, so a press can tell whether it was answered aloud.
    int wordsSaid() const { return voice_.said; }

    // Called once no window is loaded any more; the program ends there.
    void setOnLastWindowUnloaded(std::function<void()> handler) { onLastUnloaded_ = std::move(handler); }

    bool anyLoaded() const;
    // The window made active last; null before the first activation and after its unload.
    Form* activeForm() const { return active_; }

    // The frame the window manager last put around one of the windows, so that the next window
    // opens wholly on the screen from the start. None until a window manager has shown one.
    QMargins frameMargins() const { return frameMargins_; }
    void setFrameMargins(const QMargins& margins) { frameMargins_ = margins; }

    // Used by Form.
    void formLoaded(Form& form);
    void formUnloaded(Form& form);
    void formActivated(Form& form);

Q_SIGNALS:
    // The program's active window changed, after the window's own Form_Activate.
    void activated(ui::Form* form);
    // A window was unloaded, before the activation passes to the one beneath.
    void unloaded(ui::Form* form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Clock& clock_;
    RandomSource& random_;
    struct CountingVoice final : Voice
    {
        explicit CountingVoice(Voice& to) : target(to) {}
        void say(const QString& word) override
        {
            ++said;
            target.say(word);
        }
        // Names are not counted: they are no answer to a press.
        void name(const QString& word, const std::function<void()>& done) override
        {
            target.name(word, done);
        }
        Voice& target;
        int said = 0;
    };
    CountingVoice voice_;
    std::vector<Form*> loaded_; // in order of loading
    Form* active_ = nullptr;
    std::vector<Form*> activationOrder_; // most recently active last
    std::function<void()> onLastUnloaded_;
    QMargins frameMargins_;
};

} // namespace ui
