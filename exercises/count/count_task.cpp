// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/count/count_task.h"

#include "ui/services.h"

#include <algorithm>

namespace count {

CountTask drawCountTask(ui::RandomSource& random, int minimo, int massimo)
{
    CountTask task;
    task.figura = ui::drawOneTo(random, 12);
    task.numeroElementi = ui::drawBetween(random, minimo, massimo);
    task.numeroElementi = std::clamp(task.numeroElementi, 0, kMaxFigures);
    for (int indice = 1; indice <= task.numeroElementi; ++indice) {
        int posizione = 0;
        bool taken = true;
        while (taken) {
            posizione = ui::drawOneTo(random, kMaxFigures);
            ++task.draws;
            // Entry 0 is never written and stays 0, so it never matches a slot 1..23.
            taken = std::find(task.posizioni.begin(), task.posizioni.begin() + indice, posizione) !=
                    task.posizioni.begin() + indice;
        }
        task.posizioni[static_cast<std::size_t>(indice)] = posizione;
    }
    return task;
}

} // namespace count
