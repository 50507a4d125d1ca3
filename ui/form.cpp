// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/form.h"

#include "ui/controls.h"
#include "ui/form_window.h"
#include "ui/placement.h"
#include "ui/runtime.h"
#include "ui/twips.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace ui {

namespace {
// The thickness of a sizable window's border on each side, where the desktop does not tell.
constexpr int kAssumedBorderPixels = 4;
} // namespace

Form::Form(Runtime& runtime, const QString& name, QSizeF designInnerTwips)
    : runtime_(runtime), designInner_(designInnerTwips)
{
    setObjectName(name);
}

Form::~Form()
{
    // The window's last events (focus leaving its controls) must not reach handlers of a window
    // object that is already half destroyed.
    for (Control* c : controls_)
        c->detachHandlers();
    delete window_.data();
}

bool Form::isLoaded() const
{
    return !window_.isNull();
}

QWidget* Form::window() const
{
    return window_.data();
}

QWidget* Form::client() const
{
    return window_ ? window_->client() : nullptr;
}

QMenuBar* Form::menuBar() const
{
    return window_ ? window_->menuBar() : nullptr;
}

void Form::Load()
{
    if (window_)
        return;
    const QSize inner = designInnerPixels();
    window_ = new FormWindow(*this, inner);
    shownSinceLoad_ = false;
    runtime_.formLoaded(*this);
    createControls();
    window_->fitInner(inner);
    finishDefinition();
    Form_Load();
}

void Form::Show()
{
    if (unloading_)
        return; // a window on its way out is not brought back
    Load();
    if (!window_)
        return;
    if (!shownSinceLoad_) {
        placeOnScreen(runtime_.frameMargins());
        frameSeen_ = !runtime_.frameMargins().isNull();
        shownSinceLoad_ = true;
    }
    if (window_->isVisible())
        window_->raise();
    window_->show();
    window_->activateWindow();
}

void Form::Unload()
{
    if (!window_ || unloading_)
        return;
    unloading_ = true;
    Form_Unload();
    for (Control* c : controls_)
        c->detachHandlers();
    forgetControls();
    controls_.clear();
    menuEntries_.clear();
    proporzioni_.clear();
    FormWindow* window = window_.data();
    window_ = nullptr;
    window->hide();
    // Deferred: the unload may have been asked from inside one of this window's own events.
    window->deleteLater();
    unloading_ = false;
    runtime_.formUnloaded(*this);
}

Control* Form::findControl(const QString& qualifiedName) const
{
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const Control* c) { return c->qualifiedName() == qualifiedName; });
    return it == controls_.end() ? nullptr : *it;
}

bool Form::isMinimised() const
{
    return window_ && window_->isMinimized();
}

Twips Form::ScaleWidth() const
{
    return window_ ? pixelsToTwips(window_->client()->width()) : Twips();
}

Twips Form::ScaleHeight() const
{
    return window_ ? pixelsToTwips(window_->client()->height()) : Twips();
}

Twips Form::Width() const
{
    if (!window_)
        return Twips();
    int border = (window_->frameGeometry().width() - window_->width()) / 2;
    if (border <= 0)
        border = kAssumedBorderPixels;
    return pixelsToTwips(window_->width() + 2 * border);
}

void Form::RilevaProporzioni()
{
    proporzioni_ = rilevaProporzioni(controls_, ScaleWidth(), ScaleHeight());
}

void Form::ApplicaProporzioni()
{
    applicaProporzioni(controls_, proporzioni_, [this] { return TwipSize{ScaleWidth(), ScaleHeight()}; });
}

Timer* Form::addTimer(const QString& name, Twips left, Twips top)
{
    auto* timer = new Timer(window_.data(), name, left, top);
    registerControl(timer);
    return timer;
}

MenuEntry* Form::addMenuEntry(const QString& name, const QString& caption, bool onMenuBar)
{
    QMenuBar* bar = window_->ensureMenuBar();
    auto* action = new QAction(caption, bar);
    if (onMenuBar)
        bar->addAction(action);
    auto entry = std::make_unique<MenuEntry>(action, name);
    MenuEntry* raw = entry.get();
    menuEntries_.push_back(std::move(entry));
    registerControl(raw);
    return raw;
}

void Form::setCaption(const QString& caption)
{
    window_->setWindowTitle(caption);
}

void Form::setBackColor(Colour colour)
{
    window_->client()->setBackColor(colour);
}

void Form::setIcon(const QIcon& icon)
{
    window_->setWindowIcon(icon);
}

void Form::registerControl(Control* control)
{
    controls_.push_back(control);
}

void Form::finishDefinition()
{
    std::vector<VisualControl*> visual;
    for (Control* c : controls_) {
        if (auto* v = dynamic_cast<VisualControl*>(c))
            visual.push_back(v);
    }
    // Controls are defined front to back: raising them in reverse leaves the first on top.
    std::for_each(visual.rbegin(), visual.rend(), [](VisualControl* v) { v->widget()->raise(); });
    // Keyboard order follows TabIndex.
    std::vector<VisualControl*> focusable;
    std::copy_if(visual.begin(), visual.end(), std::back_inserter(focusable),
                 [](const VisualControl* v) { return v->widget()->focusPolicy() != Qt::NoFocus; });
    std::stable_sort(focusable.begin(), focusable.end(), [](const VisualControl* a, const VisualControl* b) {
        return a->TabIndex() < b->TabIndex();
    });
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1]->widget(), focusable[i]->widget());
}

void Form::handleResize()
{
    if (!window_)
        return;
    for (Control* c : controls_) {
        if (auto* v = dynamic_cast<VisualControl*>(c); v && v->dock() != Dock::None)
            v->updateGeometry();
    }
    Form_Resize();
}

void Form::handleActivated()
{
    if (window_ && !unloading_)
        runtime_.formActivated(*this);
}

void Form::handleCloseRequest()
{
    Unload();
}

void Form::placeOnScreen(const QMargins& frame)
{
    QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const WindowPlacement placement =
        placeWindow(designInnerPixels(), window_->menuBarHeight(), frame, available,
                    QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
    placedWithFrame_ = frame;
    window_->fitInner(placement.inner);
    window_->move(placement.frameTopLeft);
    // Shrunk to fit, the window's text and pictures shrink by the same factor, or the larger ones
    // would be cut off; at the design size and above they keep their design size.
    const QSize design = designInnerPixels();
    if (design.isEmpty())
        return;
    const double fit = std::min({1.0, static_cast<double>(placement.inner.width()) / design.width(),
                                 static_cast<double>(placement.inner.height()) / design.height()});
    for (Control* c : controls_) {
        if (auto* v = dynamic_cast<VisualControl*>(c))
            v->setFitScale(fit);
    }
}

void Form::handleFrameChange()
{
    // The window manager tells the frame's size only once the window is on the screen. The first
    // time, before anyone could have moved it, the window is placed once more with its frame, so
    // it stands centred; a later change of frame only brings it back if it left the screen.
    QWindow* handle = window_ ? window_->windowHandle() : nullptr;
    if (!handle || !shownSinceLoad_ || unloading_)
        return;
    const QMargins frame = handle->frameMargins();
    // A maximised or minimised window is where the window manager wants it, in the frame it
    // chose for that state.
    if (frame == placedWithFrame_ || window_->windowState() != Qt::WindowNoState)
        return;
    runtime_.setFrameMargins(frame);
    const QScreen* screen = handle->screen();
    const bool offScreen = screen && !screen->availableGeometry().contains(window_->frameGeometry());
    if (!frameSeen_ || offScreen)
        placeOnScreen(frame);
    placedWithFrame_ = frame;
    frameSeen_ = true;
}

QSize Form::designInnerPixels() const
{
    return {static_cast<int>(std::lround(twipsToPixels(Twips(designInner_.width())))),
            static_cast<int>(std::lround(twipsToPixels(Twips(designInner_.height()))))};
}

} // namespace ui
