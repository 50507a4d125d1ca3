// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// A child's worth of random input: a seeded storm of clicks anywhere with any button, keys of
// every kind (held ones too), resizes from nothing to huge, minimising, closing and reopening
// windows. After every event the rules of the windows must still hold. A failing run prints its seed:
//   ZANFILO_MONKEY_SEED=<seed> ZANFILO_MONKEY_EVENTS=<n> test_monkey
#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "pictures/picture_store.h"
#include "support/exercise_support.h"
#include "support/test_support.h"
#include "windows/start/start_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QWindow>

using namespace testing;

namespace {

const Qt::Key kKeys[] = {Qt::Key_0,      Qt::Key_1,     Qt::Key_2,     Qt::Key_3,        Qt::Key_4,
                         Qt::Key_5,      Qt::Key_6,     Qt::Key_7,     Qt::Key_8,        Qt::Key_9,
                         Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Tab,      Qt::Key_Backtab,
                         Qt::Key_A,      Qt::Key_Z,     Qt::Key_Q,     Qt::Key_Escape,   Qt::Key_Left,
                         Qt::Key_Down,   Qt::Key_F1,    Qt::Key_Shift, Qt::Key_Backspace};

struct Watch
{
    qint64 esatte[3] = {0, 0, 0};
    qint64 errate[3] = {0, 0, 0};
    bool curtainsOpened = false;
    QPointer<QWidget> startWindow;
};

} // namespace

class MonkeyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // No sequence of input may crash the program or break what the windows promise.
    void randomInputShouldKeepEveryRule();

private:
    QString check(Program& p, Watch& watch);
    void act(Program& p, QRandomGenerator& random);
};

QString MonkeyTest::check(Program& p, Watch& watch)
{
    auto& start = p.windows.FrmInizio();
    if (start.isLoaded()) {
        if (start.window() != watch.startWindow) {
            watch.startWindow = start.window();
            watch.curtainsOpened = false;
        }
        if (start.curtainsOpen())
            watch.curtainsOpened = true;
        if (watch.curtainsOpened &&
            (start.Picture1->Width().value() > 10 || start.Picture2->Width().value() > 10))
            return QStringLiteral("a curtain closed again");
    }
    for (int form = 1; form <= 2; ++form) {
        auto& w = exerciseOf(p, form);
        const auto f = static_cast<std::size_t>(form);
        if (w.RisposteEsatte.value() < watch.esatte[f] || w.RisposteErrate.value() < watch.errate[f])
            return QStringLiteral("a counter went down");
        watch.esatte[f] = w.RisposteEsatte.value();
        watch.errate[f] = w.RisposteErrate.value();
        if (!w.isLoaded())
            continue;
        const QString name = w.name() + QLatin1String(": ");
        if (w.Conteggio < 0 || w.Conteggio > 20)
            return name + QStringLiteral("count %1").arg(w.Conteggio);
        const QString buttons = shownButtons(w);
        if (buttons != QLatin1String("CONTA") && buttons != QLatin1String("RICOMINCIA CONTA VERIFICA") &&
            buttons != QLatin1String("AVANTI"))
            return name + QStringLiteral("buttons of no phase: ") + buttons;
        const QList<int> columns = shownColumns(w);
        if (columns.size() > 1 || (!columns.isEmpty() && columns.first() < 0))
            return name + QStringLiteral("grid columns shown: %1").arg(columns.size());
        const ui::Picture figure = p.windows.FrmFigure().Image3(w.Figura);
        if (form == 1) {
            const QList<int> expectedColumns = w.Conteggio > 0 ? QList<int>{w.Conteggio} : QList<int>{};
            if (columns != expectedColumns)
                return name + QStringLiteral("column shown is not the count %1").arg(w.Conteggio);
            if (shownDiscs(w) != oneTo(w.Conteggio))
                return name + QStringLiteral("discs shown are not 1..%1").arg(w.Conteggio);
            const QList<int> figures = shownSlots(w);
            if (figures.size() != w.NumeroElementi || figures.contains(0))
                return name + QStringLiteral("%1 figures for a task of %2")
                                  .arg(figures.size())
                                  .arg(w.NumeroElementi);
            for (int k : figures) {
                if (w.Image2(k).Picture() != figure)
                    return name + QStringLiteral("a figure of another picture");
            }
        } else {
            const QList<int> filled = filledSlots(w);
            if (filled != oneTo(static_cast<int>(filled.size())) || filled.size() < w.Conteggio)
                return name + QStringLiteral("filled slots not a run from 1 covering the count");
            for (int k : filled) {
                if (w.Image2(k).Picture() != figure)
                    return name + QStringLiteral("a placed figure of another picture");
            }
        }
    }
    return {};
}

void MonkeyTest::act(Program& p, QRandomGenerator& random)
{
    QList<QWidget*> windows;
    for (ui::Form* f : std::initializer_list<ui::Form*>{&p.windows.FrmInizio(), &p.windows.frmOperativo1(),
                                                        &p.windows.frmOperativo2()}) {
        if (f->isLoaded() && f->window()->isVisible())
            windows << f->window();
    }
    if (windows.isEmpty()) {
        p.windows.start(); // after "Esci" the child starts the program again
        return;
    }
    QWidget* window = windows.at(random.bounded(static_cast<int>(windows.size())));
    QWindow* handle = window->windowHandle();
    const int what = random.bounded(100);
    if (what < 20) {
        // A child aims at the buttons too, not only at random places.
        QList<QWidget*> targets;
        for (auto* b : window->findChildren<QAbstractButton*>()) {
            if (b->isVisibleTo(window))
                targets << b;
        }
        if (!targets.isEmpty())
            mouseClick(targets.at(random.bounded(static_cast<int>(targets.size()))));
    } else if (what < 45) {
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                                  Qt::MiddleButton};
        const Qt::MouseButton button = buttons[random.bounded(4)];
        const QPoint at(random.bounded(std::max(1, window->width())),
                        random.bounded(std::max(1, window->height())));
        const QPointer<QWindow> alive(handle);
        QTest::mousePress(handle, button, {}, at);
        if (alive && random.bounded(10) > 0)
            QTest::mouseRelease(alive, button, {}, at);
    } else if (what < 85) {
        const Qt::Key key = kKeys[random.bounded(static_cast<int>(std::size(kKeys)))];
        const Qt::KeyboardModifiers modifiers = random.bounded(8) == 0 ? Qt::KeypadModifier : Qt::NoModifier;
        const int style = random.bounded(10);
        if (style < 6) {
            keyClick(window, key, modifiers);
        } else if (style < 8) {
            keyPress(window, key, modifiers); // held: repeats, released later or never
            for (int r = random.bounded(4); r > 0 && window->windowHandle(); --r)
                keyPress(window, key, modifiers, true);
        } else if (window->windowHandle()) {
            keyRelease(window, key, modifiers);
        }
    } else if (what < 89) {
        // Minimised and given back, as a taskbar does.
        window->setWindowState(window->isMinimized() ? Qt::WindowNoState : Qt::WindowMinimized);
    } else if (what < 93) {
        static const QSize sizes[] = {{0, 0},     {1, 1},       {120, 90},   {795, 592},
                                      {794, 576}, {1600, 1200}, {3000, 2000}};
        window->resize(sizes[random.bounded(static_cast<int>(std::size(sizes)))]);
    } else if (what < 97) {
        window->close();
    } else {
        // Straight to an exercise, as "Vai" with a level chosen does.
        p.windows.settings().applyLevelPreset(random.bounded(3));
        exerciseOf(p, 1 + random.bounded(2)).Show();
    }
    if (random.bounded(50) == 0)
        QCoreApplication::processEvents(); // now and then let timers and deferred deletes run
}

void MonkeyTest::randomInputShouldKeepEveryRule()
{
    const quint64 seed = qEnvironmentVariableIsSet("ZANFILO_MONKEY_SEED")
                             ? qEnvironmentVariable("ZANFILO_MONKEY_SEED").toULongLong()
                             : QRandomGenerator::global()->generate64();
    const int events = qEnvironmentVariable("ZANFILO_MONKEY_EVENTS", QStringLiteral("20000")).toInt();
    qInfo("monkey seed %llu, %d events", static_cast<unsigned long long>(seed), events);
    QRandomGenerator random(static_cast<quint32>(seed ^ (seed >> 32)));
    Program p(static_cast<std::uint32_t>(seed));
    Watch watch;
    p.windows.start();
    QElapsedTimer clock;
    clock.start();
    for (int event = 0; event < events; ++event) {
        p.clock.advance(0.25);
        act(p, random);
        const QString broken = check(p, watch);
        if (!broken.isEmpty())
            QFAIL(qPrintable(QStringLiteral("event %1 of seed %2: %3").arg(event).arg(seed).arg(broken)));
    }
    qInfo("monkey done: %d events in %lld ms; %d program ends; answers right/wrong %lld/%lld and %lld/%lld",
          events, clock.elapsed(), p.endings, watch.esatte[1], watch.errate[1], watch.esatte[2],
          watch.errate[2]);
}

QTEST_MAIN(MonkeyTest)
#include "test_monkey.moc"
