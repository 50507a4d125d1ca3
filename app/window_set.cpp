#include "app/window_set.h"

#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "pictures/picture_store.h"
#include "ui/runtime.h"
#include "windows/start/start_window.h"

namespace app {

WindowSet::WindowSet(ui::Clock& clock, ui::RandomSource& random)
    : runtime_(std::make_unique<ui::Runtime>(clock, random)),
      frmFigure_(std::make_unique<pictures::PictureStore>()),
      frmOperativo1_(std::make_unique<count::FrmOperativo1>(*this)),
      frmOperativo2_(std::make_unique<set::FrmOperativo2>(*this)),
      frmInizio_(std::make_unique<start::FrmInizio>(*this))
{
}

WindowSet::~WindowSet()
{
    // No handler may reach another window while the set is being taken apart.
    runtime_->setOnLastWindowUnloaded(nullptr);
}

void WindowSet::start()
{
    frmInizio_->Show();
}

} // namespace app
