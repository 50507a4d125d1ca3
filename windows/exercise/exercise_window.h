#pragma once

#include "ui/form.h"

namespace app {
class WindowSet;
}

namespace exercise {

// What both exercise windows share.
class ExerciseWindow : public ui::Form
{
    Q_OBJECT
public:
    ExerciseWindow(app::WindowSet& windows, const QString& name, const QString& caption);

protected:
    void createControls() override;

    app::WindowSet& windows_;

private:
    QString caption_;
};

} // namespace exercise
