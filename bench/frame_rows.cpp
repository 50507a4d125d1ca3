// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// Rows to the painted frame on a real X server. A child process per screen (scale factor and platform are per
// process) runs on xcb against an Xvfb the parent started. "Painted" means the frame reached the X server:
// after a Paint event in the window, a 1x1 read of the root window at a pixel the action changes returns the
// pixel's new colour; the read is a round trip, so the server has already executed the copy of the frame.
#include "app/window_set.h"
#include "bench.h"
#include "child_process.h"
#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "windows/start/start_window.h"
#include "x11_session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <memory>

namespace bench {

using e2e::settle;

namespace {

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

} // namespace

int frameRowsMode(const QString& label)
{
    screenLabel = label;
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFontSubstitutions();
    ui::SystemClock clock;
    ui::StandardRandom random;
    app::WindowSet windows(clock, random);
    windows.start();
    e2e::waitUntil([&windows] { return windows.FrmInizio().curtainsOpen(); }, 5000, nullptr, 20);
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

void frameRows()
{
    struct Screen
    {
        QSize size;
        double scale; // 0: no scale factor
        const char* label;
    };
    for (const Screen& screen : {Screen{QSize(3840, 2160), 2, "3840x2160 scale 2"},
                                 Screen{QSize(1920, 1080), 1.5, "1920x1080 scale 1.5"},
                                 Screen{QSize(1920, 1080), 0, "1920x1080 scale 1"}}) {
        e2e::X11Session session(screen.size, true);
        if (!session.ok()) {
            std::fprintf(stderr, "  %s\n", qPrintable(session.lastError()));
            row(QStringLiteral("rows to the painted frame, %1").arg(QLatin1String(screen.label)),
                QStringLiteral("no Xvfb"), QStringLiteral("-"), false);
            continue;
        }
        // The server resets once the client that saw it answer has left; a client that comes
        // during the reset loses its connection.
        settle(1000);
        if (screen.scale > 0)
            session.setScaleFactor(screen.scale);
        QProcess child;
        child.setProcessEnvironment(session.environment());
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        e2e::endWithParent(child);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--desktop-rows"), QString::fromLatin1(screen.label)});
        QString error;
        if (!e2e::finishTool(child, 600000, nullptr, error))
            std::fprintf(stderr, "  %s\n", qPrintable(error));
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() == 5 && fields[0] == "ROW")
                row(QString::fromUtf8(fields[1]), QString::fromUtf8(fields[2]), QString::fromUtf8(fields[3]),
                    fields[4] == "1");
        }
    }
}

} // namespace bench
