#pragma once

#include "app/window_set.h"
#include "ui/runtime.h"
#include "ui/services.h"

#include <QTest>
#include <QWidget>
#include <cmath>

namespace testing {

// A clock the test moves by hand: the time of day wraps at midnight, the monotonic one never does.
class FakeClock final : public ui::Clock
{
public:
    float timeOfDay() const override { return static_cast<float>(timeOfDay_); }
    double monotonicSeconds() const override { return monotonic_; }

    void setTimeOfDay(double seconds) { timeOfDay_ = seconds; }
    void advance(double seconds)
    {
        timeOfDay_ = std::fmod(timeOfDay_ + seconds, 86400.0);
        monotonic_ += seconds;
    }

private:
    double timeOfDay_ = 10 * 3600.0;
    double monotonic_ = 1000.0;
};

// The whole program with injected time and randomness; the end of the program is counted
// instead of quitting the test.
struct Program
{
    explicit Program(std::uint32_t seed = 1) : random(seed), windows(clock, random)
    {
        windows.runtime().setOnLastWindowUnloaded([this] { ++endings; });
    }

    FakeClock clock;
    ui::StandardRandom random;
    app::WindowSet windows;
    int endings = 0;
};

template <class T> T* child(QWidget* root, const QString& name)
{
    return root ? root->findChild<T*>(name) : nullptr;
}

// Keys take the real route: through the window to whatever has the focus.
void keyPress(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}, bool autoRepeat = false);
void keyRelease(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
void keyClick(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {});

// Mouse presses land where the window finds a control under the point, as a child's would.
void mousePress(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
void mouseRelease(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
void mouseClick(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
void mouseClickAt(QWidget* window, QPoint windowPos, Qt::MouseButton button = Qt::LeftButton);

QString focusName();

} // namespace testing
