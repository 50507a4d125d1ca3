// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/scanner.h"

#include "ui/buttons.h"
#include "ui/runtime.h"
#include "ui/services.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {

bool isShown(const Button* button)
{
    return button && button->isVisible() && button->isEnabled();
}

bool isSwitchKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

Scanner::Scanner(Runtime& runtime, double pace) : runtime_(runtime), cycle_(pace)
{
    timer_.setSingleShot(true);
    // A coarse timer may fire early, and an early tick would only set it again.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Scanner::tick);
    connect(&runtime, &Runtime::activated, this, &Scanner::begin);
    connect(&runtime, &Runtime::unloaded, this, &Scanner::end);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { followFocus(now); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) { state == Qt::ApplicationActive ? resume() : pause(); });
    qApp->installEventFilter(this);
    begin(runtime.activeForm());
}

Scanner::~Scanner()
{
    unlight();
    for (const QPointer<Button>& wayBack : wayBacks_)
        delete wayBack.data();
}

Button* Scanner::highlighted() const
{
    return lit_ && lit_->scanHighlighted() ? lit_.data() : nullptr;
}

double Scanner::now() const
{
    return runtime_.clock().monotonicSeconds();
}

std::vector<ScanItem> Scanner::itemsOf(Form& form)
{
    std::vector<ScanItem> items = form.scanItems();
    if (!form.offersWayBack() || !form.client())
        return items;
    // Last, so a press on it by mistake costs the child no more than the task in hand.
    auto* wayBack = form.client()->findChild<WayBack*>(QString(), Qt::FindDirectChildrenOnly);
    if (!wayBack) {
        wayBack = new WayBack(form.client());
        wayBacks_.emplace_back(wayBack);
        std::erase(wayBacks_, nullptr);
    }
    items.push_back({wayBack, QStringLiteral("torna indietro")});
    return items;
}

void Scanner::begin(Form* form)
{
    paused_ = false;
    nothingShown_ = false;
    unlight();
    form_ = form;
    if (!form_ || !form_->window())
        return;
    items_ = itemsOf(*form_);
    // From the button the window gave the focus to, else its first.
    const QWidget* focus = form_->window()->focusWidget();
    const auto focused =
        std::find_if(items_.begin(), items_.end(), [&](const ScanItem& i) { return i.button == focus; });
    Button* first = nullptr;
    if (focused != items_.end() && isShown(focused->button))
        first = focused->button;
    else if (const auto shown = std::find_if(items_.begin(), items_.end(),
                                             [](const ScanItem& i) { return isShown(i.button); });
             shown != items_.end())
        first = shown->button;
    if (!first) {
        nothingShown_ = true;
        cycle_.rest();
        schedule();
        return;
    }
    cycle_.start(now());
    light(first, true);
    schedule();
}

void Scanner::end(Form* form)
{
    if (form != form_)
        return;
    unlight();
    form_ = nullptr;
    nothingShown_ = false;
    items_.clear();
    cycle_.rest();
    timer_.stop();
}

void Scanner::pause()
{
    if (!form_ || paused_)
        return;
    paused_ = true;
    pausedResting_ = cycle_.resting();
    unlight();
    cycle_.rest();
    timer_.stop();
}

void Scanner::resume()
{
    if (!std::exchange(paused_, false))
        return;
    // At rest it stays so until a press: the child may have left the switch for good.
    if (!pausedResting_)
        begin(form_);
}

void Scanner::followFocus(QWidget* now)
{
    // The window moved the focus itself, after a press or as buttons came and went: the highlight
    // goes along.
    if (!form_ || cycle_.resting() || !now || now == lit_)
        return;
    const auto item =
        std::find_if(items_.begin(), items_.end(), [&](const ScanItem& i) { return i.button == now; });
    if (item != items_.end())
        light(item->button, false);
}

void Scanner::tick()
{
    if (!form_ || !form_->window())
        return;
    items_ = itemsOf(*form_);
    std::vector<bool> shown;
    int current = -1;
    for (const ScanItem& item : items_) {
        if (item.button == lit_)
            current = static_cast<int>(shown.size());
        shown.push_back(isShown(item.button));
    }
    switch (cycle_.tick(now(), static_cast<int>(std::count(shown.begin(), shown.end(), true)))) {
    case ScanCycle::Tick::Wait:
        schedule();
        break;
    case ScanCycle::Tick::Rest:
        // Unlit, so the teacher sees that the next press only wakes it.
        unlight();
        timer_.stop();
        nothingShown_ = std::find(shown.begin(), shown.end(), true) == shown.end();
        break;
    case ScanCycle::Tick::Move:
        // The one button shown is named once, not at every pace.
        if (const int next = ScanCycle::following(shown, current); next >= 0)
            light(items_[static_cast<std::size_t>(next)].button, next != current);
        schedule();
        break;
    }
}

void Scanner::press()
{
    const ScanCycle::Press what = cycle_.press(now());
    if (what == ScanCycle::Press::Wake) {
        begin(form_);
        return;
    }
    if (what != ScanCycle::Press::Act || !isShown(lit_))
        return;
    const Button* pressed = lit_;
    const Form* window = form_;
    const int said = runtime_.wordsSaid();
    act(*lit_);
    // Where the window moved the focus on, its button is named, unless the press was answered
    // aloud: a count or a verdict is not cut short. A window that closed named its successor's.
    if (lit_ && lit_ != pressed && form_ == window && runtime_.wordsSaid() == said)
        say(lit_);
    schedule();
}

void Scanner::act(Button& button)
{
    // A press and release at its centre: the button's own handlers run, with all their guards.
    const QPointF centre = QRectF(button.rect()).center();
    const QPointF global = button.mapToGlobal(centre);
    const QPointer<Button> alive(&button);
    QMouseEvent down(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &down);
    if (!alive)
        return;
    QMouseEvent up(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &up);
}

void Scanner::light(Button* button, bool named)
{
    if (lit_ != button)
        unlight();
    lit_ = button;
    if (!button)
        return;
    button->setScanHighlighted(true);
    button->setFocus(Qt::OtherFocusReason);
    if (named)
        say(button);
}

void Scanner::say(const Button* button)
{
    const auto item =
        std::find_if(items_.begin(), items_.end(), [&](const ScanItem& i) { return i.button == button; });
    if (item == items_.end() || item->word.isEmpty())
        return;
    // The pace starts once the name has been said, so none is cut off by the next one.
    cycle_.awaitName(now());
    const QPointer<Scanner> self(this);
    const int naming = ++naming_;
    runtime_.voice().name(item->word, [self, naming] {
        if (!self || self->naming_ != naming)
            return;
        self->cycle_.nameSaid(self->now());
        if (self->timer_.isActive())
            self->schedule();
    });
}

void Scanner::unlight()
{
    if (lit_)
        lit_->setScanHighlighted(false);
    lit_ = nullptr;
}

void Scanner::schedule()
{
    const std::optional<double> due = cycle_.due();
    if (!due) {
        timer_.stop();
        return;
    }
    timer_.start(static_cast<int>(std::ceil(std::max(0.0, *due - now()) * 1000)));
}

bool Scanner::eventFilter(QObject* watched, QEvent* event)
{
    // Caught where the window receives them, before any control: the press is the choice
    // wherever it lands, on a label, a disabled group or the menu bar.
    if (nothingShown_ && form_ && (event->type() == QEvent::Show || event->type() == QEvent::EnabledChange) &&
        std::any_of(items_.begin(), items_.end(), [&](const ScanItem& i) { return i.button == watched; })) {
        // A button has come: scanning starts on it, once the window has finished showing it.
        QMetaObject::invokeMethod(
            this, [this] { nothingShown_ && !paused_ ? begin(form_) : void(); }, Qt::QueuedConnection);
    }
    if (!form_ || !form_->window() || watched != form_->window()->windowHandle())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!isSwitchKey(key.key()))
            break;
        // A held switch chooses once.
        if (event->type() == QEvent::KeyPress && !key.isAutoRepeat())
            press();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        press();
        return true;
    case QEvent::MouseButtonRelease:
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
