#include "ui/runtime.h"

#include "ui/accessibility.h"
#include "ui/form.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

namespace ui {

Runtime::Runtime(Clock& clock, RandomSource& random) : clock_(clock), random_(random)
{
    installAccessibility();
}

bool Runtime::anyLoaded() const
{
    return !loaded_.empty();
}

void Runtime::formLoaded(Form& form)
{
    if (std::find(loaded_.begin(), loaded_.end(), &form) == loaded_.end())
        loaded_.push_back(&form);
}

void Runtime::formUnloaded(Form& form)
{
    std::erase(loaded_, &form);
    std::erase(activationOrder_, &form);
    if (active_ == &form)
        active_ = nullptr;
    if (loaded_.empty()) {
        if (onLastUnloaded_)
            onLastUnloaded_();
        return;
    }
    // The desktop hands the activation to the window beneath; not every platform does it for
    // us, so the program does. Not while a window is unloading: the program may be ending.
    const bool ending = std::any_of(loaded_.begin(), loaded_.end(), [](Form* f) { return f->isUnloading(); });
    if (ending || (QApplication::activeWindow() && QApplication::activeWindow()->isVisible()))
        return;
    for (auto it = activationOrder_.rbegin(); it != activationOrder_.rend(); ++it) {
        QWidget* window = (*it)->window();
        if (window && window->isVisible()) {
            window->raise();
            window->activateWindow();
            return;
        }
    }
}

void Runtime::formActivated(Form& form)
{
    std::erase(activationOrder_, &form);
    activationOrder_.push_back(&form);
    if (active_ == &form)
        return; // the program came back from another application: not a new activation
    active_ = &form;
    form.Form_Activate();
}

} // namespace ui
