#include "windows/exercise/exercise_window.h"

#include "app/window_set.h"
#include "pictures/picture_store.h"

namespace exercise {

ExerciseWindow::ExerciseWindow(app::WindowSet& windows, const QString& name, const QString& caption)
    : ui::Form(windows.runtime(), name, QSizeF(11910, 8640)), windows_(windows), caption_(caption)
{
}

void ExerciseWindow::createControls()
{
    setCaption(caption_);
    setBackColor(ui::Colour::hex(0xFFC0FF));
    setIcon(pictures::programIcon());
}

} // namespace exercise
