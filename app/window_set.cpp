// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/window_set.h"

#include "app/exercise_table.h"
#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "pictures/picture_store.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "windows/start/start_window.h"

#include <stdexcept>

namespace app {

WindowSet::WindowSet(ui::Clock& clock, ui::RandomSource& random, ui::Voice* voice)
    : runtime_(std::make_unique<ui::Runtime>(clock, random, voice ? *voice : ui::Voice::silent())),
      frmFigure_(std::make_unique<pictures::PictureStore>())
{
    const exercise::ExerciseServices services{*runtime_, settings_, *frmFigure_};
    for (const ExerciseRow& row : kExercises)
        exercises_.push_back(row.make(services, *this));
    frmInizio_ = std::make_unique<start::FrmInizio>(
        *runtime_, settings_,
        start::StartLinks{[this](int scelta) { showExercise(scelta); }, [this] { unloadAllButStart(); }});
}

WindowSet::~WindowSet()
{
    // No handler may reach another window while the set is being taken apart.
    runtime_->setOnLastWindowUnloaded(nullptr);
}

exercise::ExerciseWindow* WindowSet::findExercise(int sceltaEsercizio)
{
    for (std::size_t i = 0; i < kExercises.size(); ++i) {
        if (kExercises[i].sceltaEsercizio == sceltaEsercizio)
            return exercises_[i].get();
    }
    return nullptr;
}

exercise::ExerciseWindow& WindowSet::exercise(int sceltaEsercizio)
{
    if (exercise::ExerciseWindow* window = findExercise(sceltaEsercizio))
        return *window;
    throw std::out_of_range("no exercise for this choice");
}

count::FrmOperativo1& WindowSet::frmOperativo1()
{
    return dynamic_cast<count::FrmOperativo1&>(exercise(1));
}

set::FrmOperativo2& WindowSet::frmOperativo2()
{
    return dynamic_cast<set::FrmOperativo2&>(exercise(2));
}

void WindowSet::start()
{
    frmInizio_->Show();
}

void WindowSet::showExercise(int sceltaEsercizio)
{
    if (exercise::ExerciseWindow* window = findExercise(sceltaEsercizio))
        window->Show();
}

void WindowSet::unloadAllButStart()
{
    frmFigure_->Unload();
    for (const auto& window : exercises_)
        window->Unload();
}

} // namespace app
