// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// Speed and memory of the program against targets, as one table. Figures that depend on the
// machine are taken as ratios to a floor measured in the same run: a bare Qt Widgets program of
// the program's size (bench_floor). The rows to the painted frame run in a child process per
// screen size and scale factor, each on an Xvfb of its own, against the same floor in-process.
// The start and memory rows run on Xvfb and again on a headless sway, as native Wayland clients.
// Run: zanfilo_bench [path/to/zanfilo path/to/bench_floor]
#include "app/window_set.h"
#include "child_process.h"
#include "exercises/count/count_task.h"
#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "wayland_session.h"
#include "windows/start/start_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

double rssMiB(qint64 pid = 0)
{
    QFile status(pid == 0 ? QStringLiteral("/proc/self/status") : QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Row
{
    QString what;
    QString measured;
    QString target;
    bool holds;
    bool skipped = false;
};
std::vector<Row> rows;

void row(const QString& what, const QString& measured, const QString& target, bool holds)
{
    rows.push_back({what, measured, target, holds});
}

// Rows this machine cannot run, and why.
void skipped(const QString& what, const QString& why)
{
    rows.push_back({what, QStringLiteral("skipped: ") + why, QStringLiteral("-"), false, true});
}

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

void benchInProcess()
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
        TimerCounter counter;
        qApp->installEventFilter(&counter);
        QElapsedTimer idle;
        idle.start();
        while (idle.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        qApp->removeEventFilter(&counter);
        row(QStringLiteral("timer wake-ups per second once open"), QString::number(counter.ticks),
            QStringLiteral("0"), counter.ticks == 0);
    }

    // Memory over many tasks and many close-and-reopen cycles.
    {
        app::WindowSet windows(clock, random);
        windows.settings().applyLevelPreset(2);
        auto& w1 = windows.frmOperativo1();
        auto& w2 = windows.frmOperativo2();
        w1.Show();
        w2.Show();
        for (int i = 0; i < 500; ++i) { // warm the caches first
            w1.CmdOperazione_Click();
            w2.CmdOperazione_Click();
            if (i % 10 == 0)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        const double before = rssMiB();
        for (int i = 0; i < 10000; ++i) {
            w1.CmdOperazione_Click();
            w2.CmdOperazione_Click();
            // As between a child's presses, the event loop runs and the windows repaint.
            if (i % 10 == 0)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
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

// Xvfb measurements ---------------------------------------------------------------------------

QString freeDisplay()
{
    for (int n = 120; n < 200; ++n) {
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            return QStringLiteral(":%1").arg(n);
    }
    return {};
}

// What every child on the Xvfb gets: the display, the platform, and no session bus to autolaunch.
QProcessEnvironment displayEnvironment(const QString& display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=/nonexistent-zanfilo-bus"));
    return env;
}

// Runs a program on the display and times it to the first paint of its window's background,
// seen by polling one pixel; returns ms and the resident memory once painted.
std::pair<double, double> firstPaint(const QString& display, const QString& program)
{
    QProcess probe;
    probe.setProcessEnvironment(displayEnvironment(display));
    probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--probe"), program});
    probe.waitForFinished(30000);
    const QList<QByteArray> fields = probe.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        return {-1, -1};
    return {fields[0].toDouble(), fields[1].toDouble()};
}

int probeMode(const QString& program)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen->geometry().center() - QPoint(795 / 2, 592 / 2);
    const QPoint at = origin + QPoint(3, 592 - 60);
    QProcess target;
    QElapsedTimer t;
    t.start();
    target.start(program);
    target.waitForStarted();
    double ms = -1;
    while (t.elapsed() < 10000) {
        const QImage pixel = screen->grabWindow(0, at.x(), at.y(), 1, 1).toImage();
        // The window's own pink, or the curtain that covers it at first.
        const QRgb seen = pixel.isNull() ? 0 : pixel.pixel(0, 0);
        if (seen == qRgb(0xFF, 0xC0, 0xFF) || seen == qRgb(0xFF, 0x80, 0xFF)) {
            ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
            break;
        }
        QThread::usleep(500);
    }
    QThread::msleep(300);
    const double rss = rssMiB(target.processId());
    target.kill();
    target.waitForFinished();
    std::printf("%.2f %.2f\n", ms, rss);
    return 0;
}

void xdotool(const QString& display, const QStringList& args)
{
    QProcess tool;
    tool.setProcessEnvironment(displayEnvironment(display));
    tool.start(QStringLiteral("xdotool"), args);
    tool.waitForFinished(5000);
}

// Rows to the painted frame on a real X server ------------------------------------------------
//
// A child process per screen (scale factor and platform are per process) runs on xcb against an
// Xvfb the parent started. "Painted" means the frame reached the X server: after a Paint event in
// the window, a 1x1 read of the root window at a pixel the action changes returns the pixel's new
// colour; the read is a round trip, so the server has already executed the copy of the frame.

constexpr double kFrameMs = 1000.0 / 60.0;
constexpr int kRepetitions = 15;

// The floor in-process: bench_floor's window, a bare QWidget of 300 children at fixed places,
// plus one label its first button shows and hides, to have a click to time.
class FloorWindow : public QWidget
{
public:
    FloorWindow()
    {
        setWindowTitle(QStringLiteral("floor"));
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(0xFF, 0xC0, 0xFF));
        setPalette(p);
        setAutoFillBackground(true);
        for (int i = 0; i < 300; ++i) {
            QWidget* child = i % 10 == 0
                                 ? static_cast<QWidget*>(new QPushButton(QStringLiteral("%1").arg(i), this))
                                 : new QLabel(QStringLiteral("%1").arg(i), this);
            child->setGeometry(20 + (i % 20) * 36, 60 + (i / 20) * 30, 34, 26);
            if (i == 0)
                button = static_cast<QPushButton*>(child);
        }
        flag = new QLabel(QStringLiteral("!"), this);
        flag->setGeometry(20, 20, 34, 26);
        QPalette yellow = flag->palette();
        yellow.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0x00));
        flag->setPalette(yellow);
        flag->setAutoFillBackground(true);
        flag->hide();
        QObject::connect(button, &QPushButton::clicked, flag,
                         [this] { flag->setVisible(!flag->isVisible()); });
    }
    QPushButton* button = nullptr;
    QLabel* flag = nullptr;
};

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QImage screenShot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

QRgb screenPixel(QPoint at)
{
    const QImage pixel = QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage();
    return pixel.isNull() ? 0 : pixel.pixel(0, 0) & 0xFFFFFF;
}

QRgb shotPixel(const QImage& shot, QPoint at)
{
    const double ratio =
        static_cast<double>(shot.width()) / QGuiApplication::primaryScreen()->geometry().width();
    const QPoint device(static_cast<int>(at.x() * ratio), static_cast<int>(at.y() * ratio));
    return shot.valid(device) ? shot.pixel(device) & 0xFFFFFF : 0;
}

// One action whose frame is timed, and the window that paints it.
struct Step
{
    std::function<void()> run;
    std::function<QWidget*()> window;
};

struct Probe
{
    QPoint at;
    QRgb colour = 0;
    bool valid = false;
};

// Whether the device pixels around a point of the screen share its colour. At a fractional scale a
// logical point lies between device pixels, and a 1x1 read there may come from either neighbour:
// a probe on the edge of the colour it waits for could never show it.
bool uniformAround(const QImage& shot, QPoint at)
{
    const double ratio =
        static_cast<double>(shot.width()) / QGuiApplication::primaryScreen()->geometry().width();
    const QPoint device(static_cast<int>(at.x() * ratio), static_cast<int>(at.y() * ratio));
    const int reach = static_cast<int>(std::ceil(ratio));
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint near = device + QPoint(dx, dy);
            if (!shot.valid(near) || !shot.valid(device) || shot.pixel(near) != shot.pixel(device))
                return false;
        }
    }
    return true;
}

// A pixel inside the window after the step that the step changes, the same in two rehearsals:
// found from settled screenshots taken before and after, away from the edges of what changes.
// Nearest the window's bottom right.
Probe chooseProbe(const QImage& before1, const QImage& after1, const QImage& before2, const QImage& after2,
                  const QRect& window)
{
    const QRect area =
        window.intersected(QGuiApplication::primaryScreen()->geometry()).adjusted(2, 2, -2, -2);
    Probe best;
    long long bestDistance = -1;
    for (int y = area.top(); y <= area.bottom(); y += 3) {
        for (int x = area.left(); x <= area.right(); x += 3) {
            const QPoint at(x, y);
            const QRgb after = shotPixel(after1, at);
            const QRgb before = shotPixel(before1, at);
            if (after == before || shotPixel(after2, at) != after || shotPixel(before2, at) != before ||
                !uniformAround(after1, at))
                continue;
            const long long dx = area.right() - x;
            const long long dy = area.bottom() - y;
            const long long distance = dx * dx + dy * dy;
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = {at, after, true};
            }
        }
    }
    return best;
}

// Rehearses forward and back twice (after one warm-up) and finds a probe for each direction.
std::pair<Probe, Probe> rehearse(const Step& forward, const Step& back)
{
    forward.run();
    settle(150);
    back.run();
    settle(150);
    const QImage x1 = screenShot();
    forward.run();
    settle(150);
    const QImage y1 = screenShot();
    const QRect forwardWindow = forward.window() ? forward.window()->frameGeometry() : QRect();
    back.run();
    settle(150);
    const QImage x2 = screenShot();
    const QRect backWindow = back.window() ? back.window()->frameGeometry() : QRect();
    forward.run();
    settle(150);
    const QImage y2 = screenShot();
    back.run();
    settle(150);
    return {chooseProbe(x1, y1, x2, y2, forwardWindow), chooseProbe(y1, x1, y2, x2, backWindow)};
}

struct Timing
{
    double painted = -1;    // the frame on the X server
    double firstPaint = -1; // the first Paint event in the window
    double flushed = -1;    // the event processing that painted has returned
};

// Notes the first Paint event of any widget of the step's window.
class PaintSpy : public QObject
{
public:
    PaintSpy(const std::function<QWidget*()>& window, const QElapsedTimer& clock)
        : window_(window), clock_(clock)
    {
        qApp->installEventFilter(this);
    }
    ~PaintSpy() override { qApp->removeEventFilter(this); }
    double firstPaint = -1;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (firstPaint < 0 && event->type() == QEvent::Paint && object->isWidgetType() &&
            static_cast<QWidget*>(object)->window() == window_())
            firstPaint = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
        return false;
    }

private:
    const std::function<QWidget*()>& window_;
    const QElapsedTimer& clock_;
};

Timing timeStep(const Step& step, const Probe& probe)
{
    Timing timing;
    if (!probe.valid) {
        step.run();
        return timing;
    }
    QElapsedTimer clock;
    QTimer watchdog; // wakes the wait below, so a frame that never comes ends it
    watchdog.start(20);
    clock.start();
    PaintSpy spy(step.window, clock);
    step.run();
    while (clock.elapsed() < 3000) {
        if (spy.firstPaint < 0) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            continue;
        }
        if (timing.flushed < 0)
            timing.flushed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        if (screenPixel(probe.at) == probe.colour) {
            timing.painted = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            break;
        }
        QCoreApplication::processEvents();
    }
    timing.firstPaint = spy.firstPaint;
    return timing;
}

struct Series
{
    std::vector<double> painted, firstPaint, flushed;
    int missed = 0;
    void add(const Timing& t)
    {
        if (t.painted < 0) {
            ++missed;
            return;
        }
        painted.push_back(t.painted);
        firstPaint.push_back(t.firstPaint);
        flushed.push_back(t.flushed);
    }
    double ms() const { return missed > kRepetitions / 2 ? -1 : median(painted); }
};

QString screenLabel;

void desktopRow(const QString& what, const Series& program, const Series& floor)
{
    const double ms = program.ms();
    const double floorMs = floor.ms();
    // The splits, for finding where a slow row spends its time.
    std::fprintf(stderr,
                 "  %s, %s: first Paint %.2f, painted in-process %.2f, on the server %.2f ms (missed %d);"
                 " floor %.2f, %.2f, %.2f ms (missed %d)\n",
                 qPrintable(what), qPrintable(screenLabel), median(program.firstPaint),
                 median(program.flushed), ms, program.missed, median(floor.firstPaint), median(floor.flushed),
                 floorMs, floor.missed);
    const bool holds = ms >= 0 && (ms < kFrameMs || (floorMs >= kFrameMs && ms <= 1.2 * floorMs));
    const QString measured =
        ms < 0 || floorMs <= 0
            ? QStringLiteral("no frame seen")
            : QStringLiteral("%1 ms = %2 x floor").arg(ms, 0, 'f', 1).arg(ms / floorMs, 0, 'f', 2);
    std::printf("ROW\t%s, %s (floor %.1f ms)\t%s\t< 16.7 ms or <= 1.2 x floor\t%d\n", qPrintable(what),
                qPrintable(screenLabel), floorMs, qPrintable(measured), holds ? 1 : 0);
    std::fflush(stdout);
}

// Times forward (and back, when asked) for the program and the floor, alternating between them
// so both see the same machine.
struct Pair
{
    Step forward, back;
    std::function<void()> enter, leave; // brings this one on screen, and takes it away
};

void timeAlternating(Pair& program, Pair& floor, Series* programSeries, Series* floorSeries, bool timeBack)
{
    std::pair<Probe, Probe> probes[2];
    Pair* pairs[2] = {&program, &floor};
    for (int k = 0; k < 2; ++k) {
        pairs[k]->enter();
        settle(150);
        probes[k] = rehearse(pairs[k]->forward, pairs[k]->back);
        pairs[k]->leave();
        settle(100);
        if (!probes[k].first.valid || (timeBack && !probes[k].second.valid))
            std::fprintf(stderr, "  no changing pixel found for %s\n", k == 0 ? "the program" : "the floor");
    }
    for (int i = 0; i < kRepetitions; ++i) {
        for (int k = 0; k < 2; ++k) {
            Series* series = k == 0 ? programSeries : floorSeries;
            pairs[k]->enter();
            settle(100);
            series[0].add(timeStep(pairs[k]->forward, probes[k].first));
            settle(100);
            if (timeBack)
                series[1].add(timeStep(pairs[k]->back, probes[k].second));
            else
                pairs[k]->back.run();
            settle(100);
            pairs[k]->leave();
            settle(50);
        }
    }
}

int desktopRowsMode(const QString& label)
{
    screenLabel = label;
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFontSubstitutions();
    ui::SystemClock clock;
    ui::StandardRandom random;
    app::WindowSet windows(clock, random);
    windows.start();
    QElapsedTimer opening;
    opening.start();
    while (!windows.FrmInizio().curtainsOpen() && opening.elapsed() < 5000)
        settle(20);
    windows.settings().applyLevelPreset(2);
    settle(200);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    std::unique_ptr<FloorWindow> floor;

    const auto exerciseForms = {static_cast<exercise::ExerciseWindow*>(&windows.frmOperativo1()),
                                static_cast<exercise::ExerciseWindow*>(&windows.frmOperativo2())};

    // "Vai": the window is loaded and shown, as the start window's "Vai" does.
    for (exercise::ExerciseWindow* form : exerciseForms) {
        form->Show();
        settle(200);
        const QRect placed = form->window()->geometry();
        form->Unload();
        settle(200);
        Pair program{{[form] { form->Show(); }, [form] { return form->window(); }},
                     {[form] { form->Unload(); }, [] { return nullptr; }},
                     [] {},
                     [] {}};
        // The floor opens a new window of its 300 children at the same place and size.
        Pair bare{{[&floor, placed] {
                       floor = std::make_unique<FloorWindow>();
                       floor->setGeometry(placed);
                       floor->show();
                   },
                   [&floor] { return static_cast<QWidget*>(floor.get()); }},
                  {[&floor] { floor.reset(); }, [] { return nullptr; }},
                  [] {},
                  [] {}};
        Series p[1], f[1];
        timeAlternating(program, bare, p, f, false);
        desktopRow(QStringLiteral("\"Vai\" to %1 painted").arg(form->name()), p[0], f[0]);
    }

    // Maximising and restoring: with no window manager, the window is resized to the screen's
    // available area and back, which is the same work for the program.
    const std::vector<ui::Form*> resized{&windows.FrmInizio(), &windows.frmOperativo1(),
                                         &windows.frmOperativo2()};
    for (ui::Form* form : resized) {
        form->Show();
        settle(200);
        QWidget* window = form->window();
        const QRect restored = window->geometry();
        floor = std::make_unique<FloorWindow>();
        floor->setGeometry(restored);
        QWidget* bareWindow = floor.get();
        Pair program{{[window, available] { window->setGeometry(available); }, [window] { return window; }},
                     {[window, restored] { window->setGeometry(restored); }, [window] { return window; }},
                     [form] { form->Show(); },
                     [window] { window->hide(); }};
        Pair bare{{[bareWindow, available] { bareWindow->setGeometry(available); },
                   [bareWindow] { return bareWindow; }},
                  {[bareWindow, restored] { bareWindow->setGeometry(restored); },
                   [bareWindow] { return bareWindow; }},
                  [bareWindow] { bareWindow->show(); },
                  [bareWindow] { bareWindow->hide(); }};
        Series p[2], f[2];
        timeAlternating(program, bare, p, f, true);
        desktopRow(QStringLiteral("maximise %1 to painted").arg(form->name()), p[0], f[0]);
        desktopRow(QStringLiteral("restore %1 to painted").arg(form->name()), p[1], f[1]);
        floor.reset();
        if (form != &windows.FrmInizio())
            form->Unload();
        settle(200);
    }

    // One click on "CONTA", delivered to the window as the desktop delivers it; "RICOMINCIA"
    // between the clicks brings the count back, so every timed click is the same first count.
    for (exercise::ExerciseWindow* form : exerciseForms) {
        form->Show();
        settle(200);
        QWidget* window = form->window();
        const auto click = [window](QWidget* button) {
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                              button->mapTo(window, button->rect().center()));
        };
        floor = std::make_unique<FloorWindow>();
        floor->setGeometry(window->geometry());
        FloorWindow* bareWindow = floor.get();
        const auto floorClick = [bareWindow] {
            QTest::mouseClick(bareWindow->windowHandle(), Qt::LeftButton, {},
                              bareWindow->button->mapTo(bareWindow, bareWindow->button->rect().center()));
        };
        Pair program{{[form, click] { click(form->CmdContaElementi); }, [window] { return window; }},
                     {[form, click] { click(form->CmdRicomincia); }, [window] { return window; }},
                     [form] { form->Show(); },
                     [window] { window->hide(); }};
        Pair bare{{floorClick, [bareWindow] { return static_cast<QWidget*>(bareWindow); }},
                  {floorClick, [bareWindow] { return static_cast<QWidget*>(bareWindow); }},
                  [bareWindow] { bareWindow->show(); },
                  [bareWindow] { bareWindow->hide(); }};
        Series p[1], f[1];
        timeAlternating(program, bare, p, f, false);
        desktopRow(QStringLiteral("CONTA click in %1 to painted").arg(form->name()), p[0], f[0]);
        floor.reset();
        form->Unload();
        settle(200);
    }
    return 0;
}

// Starts Xvfb on a free display and waits until it answers.
QString startXvfb(QProcess& xvfb, const QStringList& screenArgs)
{
    const QString display = freeDisplay();
    if (display.isEmpty())
        return {};
    xvfb.start(QStringLiteral("Xvfb"), QStringList{display} + screenArgs +
                                           QStringList{QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!xvfb.waitForStarted(5000))
        return {};
    for (int i = 0; i < 100; ++i) {
        QProcess info;
        info.setProcessEnvironment(displayEnvironment(display));
        info.start(QStringLiteral("xdpyinfo"), {});
        info.waitForFinished(2000);
        if (info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0)
            return display;
        QThread::msleep(100);
    }
    return {};
}

void benchDesktop()
{
    struct Screen
    {
        const char* size;
        const char* scale; // null: no scale factor
        const char* label;
    };
    for (const Screen& screen : {Screen{"3840x2160x24", "2", "3840x2160 scale 2"},
                                 Screen{"1920x1080x24", "1.5", "1920x1080 scale 1.5"},
                                 Screen{"1920x1080x24", nullptr, "1920x1080 scale 1"}}) {
        QProcess xvfb;
        const QString display =
            startXvfb(xvfb, {QStringLiteral("-screen"), QStringLiteral("0"), QString::fromLatin1(screen.size),
                             QStringLiteral("-dpi"), QStringLiteral("96")});
        if (display.isEmpty()) {
            row(QStringLiteral("rows to the painted frame, %1").arg(QLatin1String(screen.label)),
                QStringLiteral("no Xvfb"), QStringLiteral("-"), false);
            continue;
        }
        QProcess child;
        QProcessEnvironment env = displayEnvironment(display);
        env.remove(QStringLiteral("QT_SCREEN_SCALE_FACTORS"));
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        if (screen.scale)
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(screen.scale));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--desktop-rows"), QString::fromLatin1(screen.label)});
        if (!child.waitForFinished(600000)) {
            child.kill();
            child.waitForFinished();
        }
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() == 5 && fields[0] == "ROW")
                row(QString::fromUtf8(fields[1]), QString::fromUtf8(fields[2]), QString::fromUtf8(fields[3]),
                    fields[4] == "1");
        }
        xvfb.terminate();
        xvfb.waitForFinished(3000);
    }
}

// The start and memory rows, the same on every display server ------------------------------

// The keys that open both exercise windows, as xdotool and wtype name them: Enter on "Zanfilo",
// the first level and "Vai"; then, back on the start window, a key without effect, whose release
// frees the exercise group's guard (still up from the first Enter), and "2" for "Costruire
// l'insieme" with its three Enters.
const QStringList kOpenCount{QStringLiteral("Return"), QStringLiteral("Return"), QStringLiteral("Return")};
const QStringList kOpenSet{QStringLiteral("Escape"), QStringLiteral("2"), QStringLiteral("Return"),
                           QStringLiteral("Return"), QStringLiteral("Return")};

// How a display server runs a program: to its first frame (ms, and resident MiB 300 ms later), and
// to its three windows open (resident MiB). Negative where it did not get there.
struct Desktop
{
    QString name;  // "under Xvfb"
    QString frame; // what ends the start row
    std::function<std::pair<double, double>(const QString& program)> firstFrame;
    std::function<double(const QString& program)> threeWindows;
    // A bound on the memory row besides the floor's ratio, where the floor is small enough for one
    // to mean something; none (0) under Wayland, where Qt loads the GL driver (about 50 MiB) into
    // every client, the floor too, to learn whether it must draw the windows' title bars.
    double capMiB = 0;
};

// Program and floor take turns, seven times each; the floor's memory is its window painted.
void startAndMemoryRows(const Desktop& desktop, const QString& zanfilo, const QString& floor)
{
    std::vector<double> program;
    std::vector<double> bare;
    double floorRss = 0;
    for (int i = 0; i < 7; ++i) {
        const auto [floorMs, rss] = desktop.firstFrame(floor);
        floorRss = rss;
        bare.push_back(floorMs);
        program.push_back(desktop.firstFrame(zanfilo).first);
    }
    const double ratio = median(program) / median(bare);
    row(QStringLiteral("start to %1 %2 (floor %3 ms)")
            .arg(desktop.frame, desktop.name)
            .arg(median(bare), 0, 'f', 1),
        QStringLiteral("%1 ms = %2 x floor").arg(median(program), 0, 'f', 1).arg(ratio, 0, 'f', 2),
        QStringLiteral("<= 1.3 x floor"), median(bare) > 0 && ratio > 0 && ratio <= 1.3);

    const double rss = desktop.threeWindows(zanfilo);
    row(QStringLiteral("memory with all three windows open %1 (floor %2 MiB)")
            .arg(desktop.name)
            .arg(floorRss, 0, 'f', 1),
        rss < 0 ? QStringLiteral("the windows did not open")
                : QStringLiteral("%1 MiB = %2 x floor").arg(rss, 0, 'f', 1).arg(rss / floorRss, 0, 'f', 2),
        desktop.capMiB > 0 ? QStringLiteral("<= 1.4 x floor and < %1 MiB").arg(desktop.capMiB)
                           : QStringLiteral("<= 1.4 x floor"),
        rss > 0 && rss / floorRss <= 1.4 && (desktop.capMiB <= 0 || rss < desktop.capMiB));
}

void benchXvfb(const QString& zanfilo, const QString& floor)
{
    QProcess xvfb;
    const QString display =
        startXvfb(xvfb, {QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24")});
    if (display.isEmpty()) {
        row(QStringLiteral("start to first paint under Xvfb"), QStringLiteral("no Xvfb"), QStringLiteral("-"),
            false);
        return;
    }
    const auto firstFrame = [&display](const QString& program) { return firstPaint(display, program); };
    // Resident memory with the start window and both exercise windows open.
    const auto threeWindows = [&display](const QString& program) {
        QProcess target;
        target.setProcessEnvironment(displayEnvironment(display));
        target.start(program);
        QThread::msleep(1500);
        for (const QStringList& keys : {kOpenCount, kOpenSet}) {
            xdotool(display, {QStringLiteral("search"), QStringLiteral("--name"),
                              QStringLiteral("^BRENTONI$"), QStringLiteral("windowfocus")});
            xdotool(display,
                    QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("150")} +
                        keys);
            QThread::msleep(1000);
        }
        const double rss = rssMiB(target.processId());
        target.kill();
        target.waitForFinished();
        return rss;
    };
    startAndMemoryRows(
        {QStringLiteral("under Xvfb"), QStringLiteral("first paint"), firstFrame, threeWindows, 50}, zanfilo,
        floor);
    xvfb.terminate();
    xvfb.waitForFinished(3000);
}

// The same rows with the program and the floor as native Wayland clients of a headless sway, run
// as the end-to-end tests run it. The first frame is the one that maps the window: sway's window
// event "new" comes when the client commits its first painted buffer.
void benchSway(const QString& zanfilo, const QString& floor)
{
    const QStringList missing = e2e::WaylandSession::missingTools();
    if (!missing.isEmpty()) {
        skipped(QStringLiteral("start to first frame and memory under sway"),
                QStringLiteral("needs %1").arg(missing.join(QStringLiteral(", "))));
        return;
    }
    e2e::WaylandSession session;
    if (!session.ok()) {
        skipped(QStringLiteral("start to first frame and memory under sway"), session.lastError());
        return;
    }
    const QString swaymsg = QStandardPaths::findExecutable(QStringLiteral("swaymsg"));
    const auto firstFrame = [&](const QString& program) -> std::pair<double, double> {
        QProcess events;
        session.start(events, swaymsg,
                      {QStringLiteral("-r"), QStringLiteral("-m"), QStringLiteral("-t"),
                       QStringLiteral("subscribe"), QStringLiteral(R"(["window", "tick"])")});
        // A tick comes at once to a new subscriber: from then on no window event is missed.
        const auto nextEvent = [&events](int timeoutMs) {
            QElapsedTimer wait;
            wait.start();
            while (!events.canReadLine() && wait.elapsed() < timeoutMs)
                events.waitForReadyRead(static_cast<int>(timeoutMs - wait.elapsed()));
            return events.canReadLine() ? events.readLine() : QByteArray();
        };
        double ms = -1;
        double rss = -1;
        QProcess target;
        if (!nextEvent(5000).isEmpty()) {
            QElapsedTimer t;
            t.start();
            session.start(target, program);
            for (QByteArray event = nextEvent(10000); !event.isEmpty(); event = nextEvent(10000)) {
                if (event.contains(R"("change": "new")")) {
                    ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
                    break;
                }
            }
            QThread::msleep(300);
            rss = rssMiB(target.processId());
        }
        e2e::endProcess(target, 3000);
        e2e::endProcess(events, 1000);
        // The window has gone before the next start.
        QThread::msleep(200);
        return {ms, rss};
    };
    const auto threeWindows = [&](const QString& program) {
        QProcess target;
        session.start(target, program);
        const bool open = session.waitForWindow(QStringLiteral("BRENTONI"), 10000) &&
                          session.type(kOpenCount) &&
                          session.waitForWindow(QStringLiteral("Saper zanfilo"), 10000) &&
                          session.run(swaymsg, {QStringLiteral("[title=\"^BRENTONI$\"] focus")}) &&
                          session.type(kOpenSet) &&
                          session.waitForWindow(QStringLiteral("Saper ricostruire l'insieme"), 10000);
        if (!open)
            std::fprintf(stderr, "  under sway: %s\n", qPrintable(session.lastError()));
        QThread::msleep(1000);
        const double rss = open ? rssMiB(target.processId()) : -1;
        e2e::endProcess(target, 3000);
        return rss;
    };
    startAndMemoryRows(
        {QStringLiteral("under sway"), QStringLiteral("first frame"), firstFrame, threeWindows}, zanfilo,
        floor);
}

} // namespace

int main(int argc, char* argv[])
{
    // The benchmark and its children need no session bus; none is autolaunched.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent-zanfilo-bus");
    if (argc == 3 && QByteArray(argv[1]) == "--desktop-rows") {
        QApplication application(argc, argv);
        return desktopRowsMode(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 3 && QByteArray(argv[1]) == "--probe") {
        QGuiApplication application(argc, argv);
        return probeMode(QString::fromLocal8Bit(argv[2]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ui::installFontSubstitutions();
    benchInProcess();
    const QString dir = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
    const QString zanfilo = argc > 2 ? QString::fromLocal8Bit(argv[1]) : dir + QStringLiteral("/../zanfilo");
    const QString floor = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir + QStringLiteral("/bench_floor");
    benchXvfb(zanfilo, floor);
    benchSway(zanfilo, floor);
    benchDesktop();

    std::printf("| What | Measured | Target | Holds |\n|---|---|---|---|\n");
    for (const Row& r : rows) {
        const char* holds = r.holds ? "yes" : "NO";
        std::printf("| %s | %s | %s | %s |\n", qPrintable(r.what), qPrintable(r.measured),
                    qPrintable(r.target), r.skipped ? "-" : holds);
    }
    return 0;
}
