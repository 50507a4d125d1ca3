// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The rows on the real windows offscreen: opening, relayout, building a task, the curtains and
// memory over many tasks.
#include "app/window_set.h"
#include "bench.h"
#include "exercises/count/count_task.h"
#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "ui/controls.h"
#include "ui/runtime.h"
#include "ui/scanner.h"
#include "ui/services.h"
#include "windows/start/start_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

namespace bench {

namespace {

// Waits, processing events, until the widget has been painted.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget* w) { w->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

class TimerCounter : public QObject
{
public:
    int ticks = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Timer)
            ++ticks;
        return false;
    }
};

// The system's clock, moved on at will: scanning rests only after 30 s without a press.
class SkippingClock final : public ui::Clock
{
public:
    float timeOfDay() const override { return real_.timeOfDay(); }
    double monotonicSeconds() const override { return real_.monotonicSeconds() + skipped; }
    double skipped = 0;

private:
    ui::SystemClock real_;
};

// Timer events in the whole program over `ms` milliseconds of its event loop.
int timerEventsOver(int ms)
{
    TimerCounter counter;
    qApp->installEventFilter(&counter);
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    qApp->removeEventFilter(&counter);
    return counter.ticks;
}

} // namespace

void inProcessRows()
{
    ui::SystemClock clock;
    ui::StandardRandom random;

    // "Vai" to the exercise window painted.
    for (int form = 1; form <= 2; ++form) {
        std::vector<double> times;
        app::WindowSet windows(clock, random);
        windows.settings().applyLevelPreset(2);
        windows.start();
        QCoreApplication::processEvents();
        ui::Form& exercise = form == 1 ? static_cast<ui::Form&>(windows.frmOperativo1())
                                       : static_cast<ui::Form&>(windows.frmOperativo2());
        for (int i = 0; i < 15; ++i) {
            QElapsedTimer t;
            t.start();
            exercise.Load();
            PaintWatch watch(exercise.client()); // the inner area paints; the window beneath it does not
            exercise.Show();
            while (!watch.painted && t.elapsed() < 2000)
                QCoreApplication::processEvents();
            times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            exercise.Unload();
            QCoreApplication::processEvents();
        }
        const double ms = median(times);
        row(QStringLiteral("\"Vai\" to %1 painted").arg(exercise.name()),
            QStringLiteral("%1 ms").arg(ms, 0, 'f', 2), QStringLiteral("< 30 ms"), ms < 30);
    }

    // One relayout of each window with all its controls.
    {
        app::WindowSet windows(clock, random);
        windows.settings().applyLevelPreset(1);
        for (ui::Form* form :
             {static_cast<ui::Form*>(&windows.FrmInizio()), static_cast<ui::Form*>(&windows.frmOperativo1()),
              static_cast<ui::Form*>(&windows.frmOperativo2())}) {
            form->Show();
            QCoreApplication::processEvents();
            // The inner area's resize reaches the window's Form_Resize synchronously.
            QWidget* w = form->client();
            const QSize size = w->size();
            constexpr int kRounds = 400;
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < kRounds; ++i)
                w->resize(i % 2 ? size : size * 1.5);
            const double us = static_cast<double>(t.nsecsElapsed()) / 1e3 / kRounds;
            row(QStringLiteral("relayout of %1 (%2 controls)").arg(form->name()).arg(form->Controls().size()),
                QStringLiteral("%1 us").arg(us, 0, 'f', 1), QStringLiteral("< 1000 us"), us < 1000);
        }
    }

    // Building one count task at 20 figures.
    {
        ui::StandardRandom r(5);
        constexpr int kTasks = 200000;
        long long draws = 0;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kTasks; ++i) {
            r.randomize(static_cast<float>(i));
            draws += count::drawCountTask(r, 20, 20).draws;
        }
        const double us = static_cast<double>(t.nsecsElapsed()) / 1e3 / kTasks;
        row(QStringLiteral("count task at 20 figures (%1 draws)")
                .arg(static_cast<double>(draws) / kTasks, 0, 'f', 1),
            QStringLiteral("%1 us").arg(us, 0, 'f', 3), QStringLiteral("< 50 us"), us < 50);
    }

    // Curtains: ticks delivered, duration, and silence afterwards.
    {
        app::WindowSet windows(clock, random);
        auto& start = windows.FrmInizio();
        start.Load();
        int ticks = 0;
        auto tick = start.timerTendine->Tick;
        start.timerTendine->Tick = [&] {
            ++ticks;
            tick();
        };
        QElapsedTimer t;
        t.start();
        start.Show();
        while (!start.curtainsOpen() && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const double seconds = static_cast<double>(t.nsecsElapsed()) / 1e9;
        const double rate = ticks / seconds;
        row(QStringLiteral("curtain ticks per second while opening"),
            QStringLiteral("%1").arg(rate, 0, 'f', 1), QStringLiteral(">= 95"), rate >= 95);
        row(QStringLiteral("opening at design size (%1 ticks)").arg(ticks),
            QStringLiteral("%1 ms").arg(seconds * 1000, 0, 'f', 0), QStringLiteral("800 ms +- 10 %"),
            seconds >= 0.72 && seconds <= 0.88);
        const int idle = timerEventsOver(1000);
        row(QStringLiteral("timer wake-ups per second once open"), QString::number(idle), QStringLiteral("0"),
            idle == 0);
    }

    // Scanning for one switch: one wake-up a pace while it moves, none once it rests.
    {
        SkippingClock skipping;
        app::WindowSet windows(skipping, random);
        ui::Scanner scanner(windows.runtime(), 0.5);
        windows.start();
        QElapsedTimer t;
        t.start();
        while ((!windows.FrmInizio().curtainsOpen() || !scanner.highlighted()) && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const double scanning = timerEventsOver(4000) / 4.0;
        row(QStringLiteral("timer wake-ups per second while scanning, a pace of 0.5 s"),
            QString::number(scanning), QStringLiteral("<= 2"), scanning <= 2);
        for (int pace = 0; pace < 200 && scanner.highlighted(); ++pace) {
            skipping.skipped += 1;
            scanner.tick();
        }
        const int resting = timerEventsOver(1000);
        row(QStringLiteral("timer wake-ups per second while scanning rests"), QString::number(resting),
            QStringLiteral("0"), resting == 0 && !scanner.highlighted());
    }

    // Memory over many tasks and many close-and-reopen cycles.
    {
        app::WindowSet windows(clock, random);
        windows.settings().applyLevelPreset(2);
        auto& w1 = windows.frmOperativo1();
        auto& w2 = windows.frmOperativo2();
        w1.Show();
        w2.Show();
        const auto tasks = [&](int count) {
            for (int i = 0; i < count; ++i) {
                w1.CmdOperazione_Click();
                w2.CmdOperazione_Click();
                // As between a child's presses, the event loop runs and the windows repaint.
                if (i % 10 == 0)
                    QCoreApplication::processEvents();
            }
            QCoreApplication::processEvents();
        };
        tasks(500); // warm the caches first
        const double before = rssMiB();
        tasks(10000);
        const double afterTasks = rssMiB();
        row(QStringLiteral("memory growth over 10,000 tasks"),
            QStringLiteral("%1 MiB").arg(afterTasks - before, 0, 'f', 2), QStringLiteral("< 1 MiB"),
            afterTasks - before < 1);
        const auto cycle = [&] {
            for (ui::Form* f : {static_cast<ui::Form*>(&w1), static_cast<ui::Form*>(&w2)}) {
                f->Unload();
                f->Show();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        };
        for (int i = 0; i < 50; ++i)
            cycle();
        const double beforeCycles = rssMiB();
        for (int i = 0; i < 1000; ++i)
            cycle();
        const double afterCycles = rssMiB();
        row(QStringLiteral("memory growth over 1,000 close-and-reopen cycles"),
            QStringLiteral("%1 MiB").arg(afterCycles - beforeCycles, 0, 'f', 2), QStringLiteral("< 1 MiB"),
            afterCycles - beforeCycles < 1);
    }
}

} // namespace bench
