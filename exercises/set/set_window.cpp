#include "exercises/set/set_window.h"

namespace set {

FrmOperativo2::FrmOperativo2(app::WindowSet& windows)
    : exercise::ExerciseWindow(windows, QStringLiteral("frmOperativo2"),
                               QStringLiteral("Saper ricostruire l'insieme"))
{
}

} // namespace set
