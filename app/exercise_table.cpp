// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/exercise_table.h"

#include "app/window_set.h"
#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "windows/start/start_window.h"

namespace app {

const std::array<ExerciseRow, 2> kExercises{{
    {1,
     [](const exercise::ExerciseServices& services,
        WindowSet& windows) -> std::unique_ptr<exercise::ExerciseWindow> {
         return std::make_unique<count::FrmOperativo1>(services, [&windows] { windows.FrmInizio().Show(); });
     }},
    {2,
     [](const exercise::ExerciseServices& services, WindowSet&) -> std::unique_ptr<exercise::ExerciseWindow> {
         return std::make_unique<set::FrmOperativo2>(services);
     }},
}};

} // namespace app
