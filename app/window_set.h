#pragma once

#include "app/settings.h"

#include <memory>

namespace ui {
class Clock;
class RandomSource;
class Runtime;
} // namespace ui

namespace pictures {
class PictureStore;
}

namespace start {
class FrmInizio;
}
namespace count {
class FrmOperativo1;
}
namespace set {
class FrmOperativo2;
}

namespace app {

// The program's windows, each existing once and reached by name, and the settings they share.
// A window is loaded on first use and its object lives as long as the set.
class WindowSet
{
public:
    WindowSet(ui::Clock& clock, ui::RandomSource& random);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    ui::Runtime& runtime() { return *runtime_; }
    Modulo1& settings() { return settings_; }

    start::FrmInizio& FrmInizio() { return *frmInizio_; }
    count::FrmOperativo1& frmOperativo1() { return *frmOperativo1_; }
    set::FrmOperativo2& frmOperativo2() { return *frmOperativo2_; }
    pictures::PictureStore& FrmFigure() { return *frmFigure_; }

    // The start of the program: the start window is loaded and shown.
    void start();

private:
    Modulo1 settings_;
    std::unique_ptr<ui::Runtime> runtime_;
    std::unique_ptr<pictures::PictureStore> frmFigure_;
    std::unique_ptr<count::FrmOperativo1> frmOperativo1_;
    std::unique_ptr<set::FrmOperativo2> frmOperativo2_;
    std::unique_ptr<start::FrmInizio> frmInizio_;
};

} // namespace app
