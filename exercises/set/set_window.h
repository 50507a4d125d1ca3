#pragma once

#include "windows/exercise/exercise_window.h"

namespace set {

// The rebuild-the-set exercise window.
class FrmOperativo2 : public exercise::ExerciseWindow
{
    Q_OBJECT
public:
    explicit FrmOperativo2(app::WindowSet& windows);
};

} // namespace set
