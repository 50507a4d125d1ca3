#pragma once

#include "windows/exercise/exercise_window.h"

namespace count {

// The count-on-the-line exercise window.
class FrmOperativo1 : public exercise::ExerciseWindow
{
    Q_OBJECT
public:
    explicit FrmOperativo1(app::WindowSet& windows);
};

} // namespace count
