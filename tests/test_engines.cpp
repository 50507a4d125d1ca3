// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/count/count_task.h"
#include "exercises/set/set_task.h"
#include "support/test_support.h"
#include "ui/services.h"
#include "windows/exercise/panel.h"

#include <QTest>
#include <set>

using testing::kJustBelowOne;
using testing::range;
using testing::ScriptedRandom;

class EnginesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every size of a level's range occurs, and nothing outside it, for both exercises.
    void drawnSizesShouldCoverExactlyTheLevelRange_data();
    void drawnSizesShouldCoverExactlyTheLevelRange();
    // The figures of a count task stand in distinct slots among 1..23; slot 0 never gets one.
    void countTaskFiguresShouldTakeDistinctSlotsAwayFromSlotZero();
    // A draw just below 1 must not step outside the range.
    void drawsJustBelowOneShouldStayInRange();
    // Before any level the bounds are 0: no figure, no number, and no endless drawing.
    void emptyBoundsShouldGiveAnEmptyTask();
    // What the panel shows: a blank before non-negative seconds, the caps on display only.
    void panelTextsShouldFollowTheShownForms_data();
    void panelTextsShouldFollowTheShownForms();
    // Seconds round down and never go negative, even when a reading seems to go back.
    void wholeSecondsShouldRoundDownAndNeverBeNegative_data();
    void wholeSecondsShouldRoundDownAndNeverBeNegative();
    void counterShouldStopAtItsLimitInsteadOfWrapping();
};

void EnginesTest::drawnSizesShouldCoverExactlyTheLevelRange_data()
{
    QTest::addColumn<int>("minimo");
    QTest::addColumn<int>("massimo");
    QTest::newRow("level 1") << 1 << 5;
    QTest::newRow("level 2") << 1 << 10;
    QTest::newRow("level 3") << 10 << 20;
}

void EnginesTest::drawnSizesShouldCoverExactlyTheLevelRange()
{
    QFETCH(int, minimo);
    QFETCH(int, massimo);
    std::set<int> countSizes;
    std::set<int> setSizes;
    std::set<int> figures;
    ui::StandardRandom random(7);
    for (int task = 0; task < 2000; ++task) {
        random.randomize(36000.0f + static_cast<float>(task) * 0.37f);
        const count::CountTask c = count::drawCountTask(random, minimo, massimo);
        countSizes.insert(c.numeroElementi);
        figures.insert(c.figura);
        random.randomize(50000.0f + static_cast<float>(task) * 0.37f);
        setSizes.insert(set::drawSetTask(random, minimo, massimo).numeroElementi);
    }
    QCOMPARE(countSizes, range(minimo, massimo));
    QCOMPARE(setSizes, range(minimo, massimo));
    QCOMPARE(static_cast<int>(figures.size()), 12);
    QCOMPARE(*figures.begin(), 1);
    QCOMPARE(*figures.rbegin(), 12);
}

void EnginesTest::countTaskFiguresShouldTakeDistinctSlotsAwayFromSlotZero()
{
    ui::StandardRandom random(3);
    long long draws = 0;
    constexpr int kTasks = 500;
    for (int task = 0; task < kTasks; ++task) {
        random.randomize(static_cast<float>(task));
        const count::CountTask c = count::drawCountTask(random, 20, 20);
        QCOMPARE(c.numeroElementi, 20);
        std::set<int> used;
        for (int k = 1; k <= c.numeroElementi; ++k) {
            const int slot = c.posizioni[static_cast<std::size_t>(k)];
            QVERIFY2(slot >= 1 && slot <= 23, qPrintable(QString::number(slot)));
            used.insert(slot);
        }
        QCOMPARE(static_cast<int>(used.size()), 20);
        QCOMPARE(c.posizioni[0], 0);
        draws += c.draws;
    }
    // About 44 draws for 20 figures among 23 slots; far more would mean the rejection misbehaves.
    const double mean = static_cast<double>(draws) / kTasks;
    QVERIFY2(mean > 35 && mean < 55, qPrintable(QString::number(mean)));
}

void EnginesTest::drawsJustBelowOneShouldStayInRange()
{
    ScriptedRandom high({kJustBelowOne});
    QCOMPARE(ui::drawOneTo(high, 23), 23);
    QCOMPARE(ui::drawOneTo(high, 12), 12);
    const set::SetTask s = set::drawSetTask(high, 10, 20);
    QCOMPARE(s.numeroElementi, 20);
    QCOMPARE(s.figura, 12);
    ScriptedRandom low({0.0f});
    QCOMPARE(set::drawSetTask(low, 10, 20).numeroElementi, 10);
    // Picture, size, then one draw per slot; the last slot drawn just below 1 is slot 23.
    ScriptedRandom mixed({0.0f, kJustBelowOne, 0.0f, 0.05f, 0.1f, 0.15f, kJustBelowOne});
    const count::CountTask c = count::drawCountTask(mixed, 1, 5);
    QCOMPARE(c.figura, 1);
    QCOMPARE(c.numeroElementi, 5);
    QCOMPARE(c.posizioni, (std::array<int, 24>{0, 1, 2, 3, 4, 23}));
    QCOMPARE(c.draws, 5);
}

void EnginesTest::emptyBoundsShouldGiveAnEmptyTask()
{
    ui::StandardRandom random(1);
    const count::CountTask c = count::drawCountTask(random, 0, 0);
    QCOMPARE(c.numeroElementi, 0);
    QCOMPARE(c.draws, 0);
    QCOMPARE(set::drawSetTask(random, 0, 0).numeroElementi, 0);
}

void EnginesTest::panelTextsShouldFollowTheShownForms_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("signedForm");
    QTest::addColumn<QString>("partial");
    QTest::addColumn<QString>("total");
    const auto row = [](const char* name, qint64 seconds, const char* signedForm, const char* partial,
                        const char* total) {
        QTest::newRow(name) << seconds << signedForm << partial << total;
    };
    row("0", 0, " 0", " 0", " 0");
    row("7", 7, " 7", " 7", " 7");
    row("98", 98, " 98", " 98", " 98");
    row("99", 99, " 99", "99", " 99");
    row("150", 150, " 150", "99", " 150");
    row("998", 998, " 998", "99", " 998");
    row("999", 999, " 999", "99", "999");
    row("123456", 123456, " 123456", "99", "999");
    row("negative", -3, "-3", "-3", "-3");
}

void EnginesTest::panelTextsShouldFollowTheShownForms()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, signedForm);
    QFETCH(QString, partial);
    QFETCH(QString, total);
    QCOMPARE(exercise::signedText(seconds), signedForm);
    QCOMPARE(exercise::partialCaption(seconds), partial);
    QCOMPARE(exercise::totalCaption(seconds), total);
}

void EnginesTest::wholeSecondsShouldRoundDownAndNeverBeNegative_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("5.9 s") << 100.0 << 105.9 << qint64(5);
    QTest::newRow("exactly 3 s") << 100.0 << 103.0 << qint64(3);
    QTest::newRow("under a second") << 100.0 << 100.4 << qint64(0);
    QTest::newRow("long") << 0.5 << 4000.25 << qint64(3999);
    QTest::newRow("a reading going back") << 100.0 << 99.0 << qint64(0);
}

void EnginesTest::wholeSecondsShouldRoundDownAndNeverBeNegative()
{
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(qint64, seconds);
    QCOMPARE(exercise::wholeSeconds(start, end), seconds);
}

void EnginesTest::counterShouldStopAtItsLimitInsteadOfWrapping()
{
    exercise::Counter counter;
    for (int i = 0; i < 40000; ++i)
        counter.increment();
    QCOMPARE(counter.value(), qint64(40000)); // past the old 16-bit limit of 32767
}

QTEST_APPLESS_MAIN(EnginesTest)
#include "test_engines.moc"
