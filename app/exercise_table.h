// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <memory>

namespace exercise {
class ExerciseWindow;
struct ExerciseServices;
} // namespace exercise

namespace app {

class WindowSet;

// The exercises the start window offers, by the choice of its exercise group that opens each.
// A new exercise is one folder under exercises/ and one row here.
struct ExerciseRow
{
    int sceltaEsercizio;
    std::unique_ptr<exercise::ExerciseWindow> (*make)(const exercise::ExerciseServices& services,
                                                      WindowSet& windows);
};

extern const std::array<ExerciseRow, 2> kExercises;

} // namespace app
