// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/set/set_task.h"

#include "ui/services.h"

namespace set {

SetTask drawSetTask(ui::RandomSource& random, int minimo, int massimo)
{
    SetTask task;
    task.numeroElementi = ui::drawBetween(random, minimo, massimo);
    task.figura = ui::drawOneTo(random, 12);
    return task;
}

} // namespace set
