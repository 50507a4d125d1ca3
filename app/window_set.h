// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings/levels.h"

#include <memory>
#include <vector>

namespace ui {
class Clock;
class RandomSource;
class Runtime;
class Voice;
} // namespace ui

namespace pictures {
class PictureStore;
}

namespace exercise {
class ExerciseWindow;
}
namespace start {
class FrmInizio;
}
namespace count {
class FrmOperativo1;
}
namespace set {
class FrmOperativo2;
}

namespace app {

// The program's windows, each existing once and reached by name, and the settings they share.
// This is the one place that knows every window: each window is given only what it uses.
// A window is loaded on first use and its object lives as long as the set.
class WindowSet
{
public:
    // Silent unless a voice is given.
    WindowSet(ui::Clock& clock, ui::RandomSource& random, ui::Voice* voice = nullptr);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    ui::Runtime& runtime() { return *runtime_; }
    levels::Modulo1& settings() { return settings_; }

    start::FrmInizio& FrmInizio() { return *frmInizio_; }
    // The window of a row of the exercise table, by its choice.
    exercise::ExerciseWindow& exercise(int sceltaEsercizio);
    count::FrmOperativo1& frmOperativo1();
    set::FrmOperativo2& frmOperativo2();
    pictures::PictureStore& FrmFigure() { return *frmFigure_; }

    // The start of the program: the start window is loaded and shown.
    void start();

private:
    exercise::ExerciseWindow* findExercise(int sceltaEsercizio); // null for no row
    void showExercise(int sceltaEsercizio);
    void unloadAllButStart();

    levels::Modulo1 settings_;
    std::unique_ptr<ui::Runtime> runtime_;
    std::unique_ptr<pictures::PictureStore> frmFigure_;
    std::vector<std::unique_ptr<exercise::ExerciseWindow>> exercises_; // in the table's order
    std::unique_ptr<start::FrmInizio> frmInizio_;
};

} // namespace app
