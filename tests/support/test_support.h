// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/window_set.h"
#include "ui/colour.h"
#include "ui/runtime.h"
#include "ui/services.h"

#include <QTest>
#include <QWidget>
#include <cmath>
#include <functional>
#include <set>
#include <vector>

namespace testing {

// A clock the test moves by hand: the time of day wraps at midnight, the monotonic one never does.
class FakeClock final : public ui::Clock
{
public:
    float timeOfDay() const override { return static_cast<float>(timeOfDay_); }
    double monotonicSeconds() const override
    {
        if (onMonotonicRead)
            onMonotonicRead();
        return monotonic_;
    }

    void setTimeOfDay(double seconds) { timeOfDay_ = seconds; }
    void advance(double seconds)
    {
        timeOfDay_ = std::fmod(timeOfDay_ + seconds, 86400.0);
        monotonic_ += seconds;
    }

    // Called at each reading of the monotonic time: lets a test see what was on screen then.
    std::function<void()> onMonotonicRead;

private:
    double timeOfDay_ = 10 * 3600.0;
    double monotonic_ = 1000.0;
};

// Hands out a fixed cycle of draws and records every call ('S' a reseed, 'd' a draw), so a test
// reaches the edges of a range on purpose and sees in which order a task asks.
class ScriptedRandom final : public ui::RandomSource
{
public:
    explicit ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {}
    void randomize(float) override { calls += QLatin1Char('S'); }
    float rnd() override
    {
        calls += QLatin1Char('d');
        return values_.at(next_++ % values_.size());
    }
    QString calls;

private:
    std::vector<float> values_;
    std::size_t next_ = 0;
};

inline constexpr float kJustBelowOne = 1.0f - 1.0f / 16777216.0f;

// Every whole number from low to high: what drawing task after task must come to cover.
std::set<int> range(int low, int high);

// Every word said, in order.
struct RecordingVoice final : ui::Voice
{
    void say(const QString& word) override { heard << word; }
    QStringList heard;
};

// The whole program with injected time, randomness and voice; the end of the program is counted
// instead of quitting the test.
struct Program
{
    explicit Program(std::uint32_t seed = 1) : Program(seed, nullptr) {}
    // The program drawing from the test's own source.
    explicit Program(ui::RandomSource& source) : Program(0, &source) {}
    // The program speaking with the test's own voice.
    explicit Program(ui::Voice& spoken) : Program(1, nullptr, &spoken) {}

    FakeClock clock;
    ui::StandardRandom random;
    RecordingVoice voice;
    app::WindowSet windows;
    int endings = 0;

private:
    Program(std::uint32_t seed, ui::RandomSource* source, ui::Voice* spoken = nullptr)
        : random(seed), windows(clock, source ? *source : random, spoken ? spoken : &voice)
    {
        windows.runtime().setOnLastWindowUnloaded([this] { ++endings; });
    }
};

template <class T> T* child(QWidget* root, const QString& name)
{
    return root ? root->findChild<T*>(name) : nullptr;
}

// Keys take the real route: through the window to whatever has the focus.
void keyPress(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}, bool autoRepeat = false);
void keyRelease(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}, bool autoRepeat = false);
void keyClick(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {});

// Mouse presses land where the window finds a control under the point, as a child's would.
void mousePress(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
void mouseRelease(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
void mouseClick(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
void doubleClick(QWidget* widget);
// A finger's tap on the control, as an interactive board or a touch screen sends it.
void tap(QWidget* widget);

QString focusName();

// What a control shows, read the same way for every window. Colours come as "#rrggbb", marked
// "system " when they follow the desktop theme; an unfilled shape's fill is "unfilled", and a
// control without the property gives "none" (an empty caption).
QString hexOf(ui::Colour colour, const QWidget* w);
QString backOf(const QWidget* w);
QString foreOf(const QWidget* w);
QString captionOf(const QWidget* w);

} // namespace testing
