#include "exercises/set/set_task.h"

#include "ui/services.h"

#include <cmath>

namespace set {

SetTask drawSetTask(ui::RandomSource& random, int minimo, int massimo)
{
    SetTask task;
    task.numeroElementi =
        minimo + static_cast<int>(std::floor(static_cast<double>(random.rnd()) * (massimo - minimo + 1)));
    task.figura = ui::drawOneTo(random, 12);
    return task;
}

} // namespace set
