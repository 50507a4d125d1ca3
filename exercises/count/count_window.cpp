#include "exercises/count/count_window.h"

namespace count {

FrmOperativo1::FrmOperativo1(app::WindowSet& windows)
    : exercise::ExerciseWindow(windows, QStringLiteral("frmOperativo1"), QStringLiteral("Saper zanfilo"))
{
}

} // namespace count
