// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/exercise_support.h"

#include "app/exercise_table.h"
#include "pictures/picture_store.h"

namespace testing {

exercise::ExerciseWindow& exerciseOf(Program& p, int form)
{
    return p.windows.exercise(form);
}

QList<int> exerciseChoices()
{
    QList<int> choices;
    for (const app::ExerciseRow& row : app::kExercises)
        choices << row.sceltaEsercizio;
    return choices;
}

void addLevelRows()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("minimo");
    QTest::addColumn<int>("massimo");
    for (int f : exerciseChoices()) {
        QTest::addRow("w%d level 1", f) << f << 0 << 1 << 5;
        QTest::addRow("w%d level 2", f) << f << 1 << 1 << 10;
        QTest::addRow("w%d level 3", f) << f << 2 << 10 << 20;
    }
}

void checkFreshTask(Program& p, const exercise::ExerciseWindow& w, int form)
{
    const int n = w.NumeroElementi;
    QCOMPARE(shownButtons(w), QStringLiteral("CONTA"));
    QCOMPARE(w.LblEsito->Caption(), QString());
    QCOMPARE(w.Conteggio, 0);
    QVERIFY2(w.Figura >= 1 && w.Figura <= pictures::PictureStore::kFigureCount,
             qPrintable(QString::number(w.Figura)));
    if (form == 1) {
        const QList<int> placed = shownSlots(w);
        QCOMPARE(static_cast<int>(placed.size()), n);
        QVERIFY(!placed.contains(0));
        for (int k : placed)
            QVERIFY2(w.Image2(k).Picture() == p.windows.FrmFigure().Image3(w.Figura),
                     qPrintable(QString::number(k)));
        QCOMPARE(shownDiscs(w), QList<int>());
        QCOMPARE(shownColumns(w), QList<int>());
    } else {
        QCOMPARE(shownSlots(w), oneTo(20));
        QCOMPARE(filledSlots(w), QList<int>());
        QCOMPARE(shownDiscs(w), oneTo(n));
        QCOMPARE(shownColumns(w), QList<int>{n});
    }
}

bool open(ui::Form& w)
{
    w.Show();
    return QTest::qWaitForWindowExposed(w.window());
}

bool open(Program& p, exercise::ExerciseWindow& w, int level)
{
    p.windows.settings().applyLevelPreset(level);
    return open(w);
}

void press(ui::CommandButton* button)
{
    QVERIFY2(button->Visible(), qPrintable(button->objectName()));
    mouseClick(button);
}

void pressConta(exercise::ExerciseWindow& w, int times)
{
    for (int i = 0; i < times; ++i)
        press(w.CmdContaElementi);
}

void answer(Program& p, exercise::ExerciseWindow& w, int presses, double seconds)
{
    pressConta(w, presses);
    p.clock.advance(seconds);
    press(w.CmdVerifica);
}

QString shownButtons(const exercise::ExerciseWindow& w)
{
    QStringList shown;
    for (ui::CommandButton* b : {w.CmdRicomincia, w.CmdContaElementi, w.CmdOperazione, w.CmdVerifica}) {
        if (b->Visible())
            shown << b->Caption();
    }
    return shown.join(QLatin1Char(' '));
}

QList<int> shownDiscs(const exercise::ExerciseWindow& w)
{
    return indicesWhere(w.Shape1, [](const ui::Shape& s) { return s.Visible(); });
}

QList<int> shownSlots(const exercise::ExerciseWindow& w)
{
    return indicesWhere(w.Image2, [](const ui::Image& s) { return s.Visible(); });
}

QList<int> filledSlots(const exercise::ExerciseWindow& w)
{
    return indicesWhere(w.Image2, [](const ui::Image& s) { return !s.Picture().isEmpty(); });
}

QList<int> shownColumns(const exercise::ExerciseWindow& w)
{
    QList<int> shown;
    for (int n = 1; n <= 20; ++n) {
        int visible = 0;
        for (int i = 1; i <= n; ++i)
            visible += w.LabelN[static_cast<std::size_t>(n)](i).Visible() ? 1 : 0;
        if (visible > 0)
            shown << (visible == n ? n : -n);
    }
    return shown;
}

QList<int> oneTo(int n)
{
    QList<int> list;
    for (int k = 1; k <= n; ++k)
        list << k;
    return list;
}

QList<QList<int>> board(const exercise::ExerciseWindow& w)
{
    return {shownSlots(w), filledSlots(w), shownDiscs(w), shownColumns(w)};
}

} // namespace testing
