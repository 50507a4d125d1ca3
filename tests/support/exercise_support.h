// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/test_support.h"
#include "ui/control_array.h"
#include "ui/controls.h"
#include "windows/exercise/exercise_window.h"

#include <QList>

namespace testing {

// Window 1 counts on the line, window 2 rebuilds the set: the choices of the exercise table.
exercise::ExerciseWindow& exerciseOf(Program& p, int form);
QList<int> exerciseChoices();
// Rows form, level, minimo, massimo: every window at every level, with the bounds it must draw in.
void addLevelRows();

// A task just built: only "CONTA" offered, no verdict, and the figures (window 1) or the number
// (window 2) shown.
void checkFreshTask(Program& p, const exercise::ExerciseWindow& w, int form);

[[nodiscard]] bool open(ui::Form& w);
// Opened as "Vai" opens it, with the level chosen first.
[[nodiscard]] bool open(Program& p, exercise::ExerciseWindow& w, int level);

// A click through the window on a button the child can see.
void press(ui::CommandButton* button);
void pressConta(exercise::ExerciseWindow& w, int times);
// One answer: the presses on "CONTA", the time the child takes, then "VERIFICA".
void answer(Program& p, exercise::ExerciseWindow& w, int presses, double seconds = 0);

// The captions of the buttons a child can see, in a fixed order.
QString shownButtons(const exercise::ExerciseWindow& w);

template <class T, class Test> QList<int> indicesWhere(const ui::ControlArray<T>& array, Test test)
{
    QList<int> found;
    array.forEach([&](int k, T& element) {
        if (test(element))
            found << k;
    });
    return found;
}

QList<int> shownDiscs(const exercise::ExerciseWindow& w);
QList<int> shownSlots(const exercise::ExerciseWindow& w);
QList<int> filledSlots(const exercise::ExerciseWindow& w);
// Columns of the grid with a visible cell; a column shown only in part is listed negative.
QList<int> shownColumns(const exercise::ExerciseWindow& w);
QList<int> oneTo(int n);
// All of a task a child sees: slots shown, slots filled, discs and columns.
QList<QList<int>> board(const exercise::ExerciseWindow& w);

} // namespace testing
