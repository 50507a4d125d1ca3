// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls.h"

#include "ui/accessibility.h"
#include "ui/form_window.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui {

namespace {

// Paints in whole device pixels. At a fractional scale the edges of a control fall inside device
// pixels, and a one-pixel line drawn in logical coordinates then loses one side and doubles the
// other. `box` is the control's rectangle in the device pixels Qt fills and clips for it (its edges
// rounded), and a line of one logical pixel is a whole number of device pixels.
class DevicePixels
{
public:
    DevicePixels(QPainter& painter, const QRect& logical) : painter_(painter)
    {
        const QTransform toDevice = painter.deviceTransform();
        const QPoint topLeft = toDevice.map(QPointF(logical.topLeft())).toPoint();
        const QPoint bottomRight =
            toDevice.map(QPointF(logical.x() + logical.width(), logical.y() + logical.height())).toPoint();
        box_ = QRect(topLeft, bottomRight - QPoint(1, 1));
        scale_ = toDevice.m11();
        painter_.save();
        painter_.setWorldTransform(toDevice.inverted(), true);
    }
    ~DevicePixels() { painter_.restore(); }
    DevicePixels(const DevicePixels&) = delete;
    DevicePixels& operator=(const DevicePixels&) = delete;

    QRect box() const { return box_; }
    int lines(int logicalPixels) const
    {
        return logicalPixels <= 0 ? 0 : std::max(1, static_cast<int>(std::lround(logicalPixels * scale_)));
    }

private:
    QPainter& painter_;
    QRect box_;
    double scale_ = 1;
};

// A border `width` device pixels thick just inside `box`: top and left in one colour, bottom and
// right in another, which wins the two corners where they meet.
void drawBorder(QPainter& painter, const QRect& box, int width, const QColor& topLeft,
                const QColor& bottomRight)
{
    painter.fillRect(QRect(box.left(), box.top(), box.width(), width), topLeft);
    painter.fillRect(QRect(box.left(), box.top(), width, box.height()), topLeft);
    painter.fillRect(QRect(box.left(), box.bottom() - width + 1, box.width(), width), bottomRight);
    painter.fillRect(QRect(box.right() - width + 1, box.top(), width, box.height()), bottomRight);
}

// The classic two-pixel bevel: light above and to the left when raised, the other way round
// when pressed in.
void drawBevel(QPainter& painter, const QRect& box, int line, bool sunken)
{
    const QColor light(255, 255, 255);
    const QColor midLight(223, 223, 223);
    const QColor shadow(128, 128, 128);
    const QColor dark(0, 0, 0);
    drawBorder(painter, box, line, sunken ? dark : light, sunken ? light : dark);
    drawBorder(painter, box.adjusted(line, line, -line, -line), line, sunken ? shadow : midLight,
               sunken ? midLight : shadow);
}

void drawFlatButton(QPainter& painter, const QRect& rect, const QColor& face, bool sunken)
{
    const DevicePixels device(painter, rect);
    painter.fillRect(device.box(), face);
    drawBevel(painter, device.box(), device.lines(1), sunken);
}

// What shows through a transparent control: the colour of the nearest container that paints one.
QColor backdropOf(const QWidget* container)
{
    for (const QWidget* w = container; w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<const Frame*>(w))
            return frame->BackColor().resolve(frame->palette());
        if (auto* label = qobject_cast<const Label*>(w); label && !label->transparent())
            return label->BackColor().resolve(label->palette());
        if (auto* box = qobject_cast<const PictureBox*>(w))
            return box->BackColor().resolve(box->palette());
        if (auto* client = qobject_cast<const ClientArea*>(w))
            return client->backColor().resolve(client->palette());
    }
    return container ? container->palette().color(QPalette::Window) : QColor(Qt::white);
}

int mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

} // namespace

// Label ---------------------------------------------------------------------------------------

Label::Label(QWidget* container, const QString& name, int index)
    : QWidget(container), VisualControl(ControlKind::Label, this, name, index)
{
    // An opaque label paints every pixel of its box: Qt then leaves out what lies beneath it
    // instead of filling it first, a few milliseconds a frame on a maximised, scaled window.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
}

void Label::setCaption(const QString& caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    update();
    // A changed text (a verdict, a count) is announced to screen readers.
    announceTextChange(this);
}

void Label::setBackColor(Colour colour)
{
    backColor_ = colour;
    update();
}

void Label::setTransparent(bool transparent)
{
    transparent_ = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
    update();
}

void Label::setForeColor(Colour colour)
{
    foreColor_ = colour;
    update();
}

void Label::setAlignment(Alignment alignment)
{
    alignment_ = alignment;
    update();
}

void Label::setBordered(bool bordered)
{
    bordered_ = bordered;
    update();
}

void Label::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor back = transparent_ ? backdropOf(parentWidget()) : backColor_.resolve(palette());
    if (!transparent_ || bordered_) {
        const DevicePixels device(painter, rect());
        if (!transparent_)
            painter.fillRect(device.box(), back);
        if (bordered_) {
            const QColor line = Colour::windowText().resolveOn(palette(), back, kOutlineContrast);
            drawBorder(painter, device.box(), device.lines(1), line, line);
        }
    }
    const QRect textBox = bordered_ ? rect().adjusted(1, 1, -1, -1) : rect();
    if (caption_.isEmpty())
        return;
    int flags = Qt::AlignTop | Qt::TextWordWrap;
    switch (alignment_) {
    case Alignment::Left:
        flags |= Qt::AlignLeft;
        break;
    case Alignment::Right:
        flags |= Qt::AlignRight;
        break;
    case Alignment::Center:
        flags |= Qt::AlignHCenter;
        break;
    }
    painter.setPen(foreColor_.resolveOn(palette(), back, kTextContrast));
    painter.setFont(font());
    painter.drawText(textBox, flags, caption_);
}

// CommandButton -------------------------------------------------------------------------------

CommandButton::CommandButton(QWidget* container, const QString& name, int index)
    : QAbstractButton(container), VisualControl(ControlKind::CommandButton, this, name, index)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (Click)
            Click();
    });
}

void CommandButton::setStyle(ButtonStyle style)
{
    style_ = style;
    update();
}

void CommandButton::setBackColor(Colour colour)
{
    backColor_ = colour;
    update();
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    // Enter presses a focused button as space does, so a child can go on from the keyboard.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent*)
{
    if (style_ == ButtonStyle::Standard) {
        QStylePainter painter(this);
        QStyleOptionButton option;
        option.initFrom(this);
        option.text = text();
        option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
        painter.drawControl(QStyle::CE_PushButton, option);
        return;
    }
    QPainter painter(this);
    const QColor face = backColor_.resolve(palette());
    drawFlatButton(painter, rect(), face, isDown());
    painter.setPen(Colour::buttonText().resolveOn(palette(), face, kTextContrast));
    painter.setFont(font());
    const QRect textBox = rect().adjusted(3, 3, -3, -3).translated(isDown() ? 1 : 0, isDown() ? 1 : 0);
    painter.drawText(textBox, Qt::AlignCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        const DevicePixels device(painter, rect().adjusted(4, 4, -4, -4));
        const int line = device.lines(1);
        QPen pen(Colour::buttonText().resolveOn(palette(), face, kOutlineContrast), line);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        // Centred on whole device pixels, so each side is one crisp line.
        const double half = line / 2.0;
        painter.drawRect(QRectF(device.box()).adjusted(half, half, -half, -half));
    }
}

// OptionButton --------------------------------------------------------------------------------

OptionButton::OptionButton(QWidget* container, const QString& name, int index)
    : QAbstractButton(container), VisualControl(ControlKind::OptionButton, this, name, index)
{
    setFocusPolicy(Qt::StrongFocus);
}

void OptionButton::setValue(bool value)
{
    if (value_ == value)
        return;
    value_ = value;
    update();
    if (!value)
        return;
    // The option buttons of one container form one exclusive group.
    if (QWidget* container = parentWidget()) {
        for (auto* sibling : container->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly)) {
            if (sibling != this)
                sibling->setValue(false);
        }
    }
    if (Click)
        Click();
}

void OptionButton::setBackColor(Colour colour)
{
    backColor_ = colour;
    update();
}

void OptionButton::setForeColor(Colour colour)
{
    foreColor_ = colour;
    update();
}

void OptionButton::setPicture(const ui::Picture& picture)
{
    picture_ = picture;
    update();
}

void OptionButton::SetFocus()
{
    // Focus cannot enter a disabled container; such a request is ignored, not an error.
    if (isEnabled() && isVisible())
        setFocus(Qt::OtherFocusReason);
}

void OptionButton::detachHandlers()
{
    GotFocus = nullptr;
    LostFocus = nullptr;
    Click = nullptr;
    KeyPress = nullptr;
    KeyDown = nullptr;
    KeyUp = nullptr;
    MouseDown = nullptr;
    MouseUp = nullptr;
}

bool OptionButton::event(QEvent* event)
{
    // Handled here rather than in the mouse handlers: a press may disable the button's own
    // container, and the handlers still expect the matching release.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!isEnabled())
            break;
        handlePress(static_cast<QMouseEvent&>(*event));
        return true;
    case QEvent::MouseButtonRelease:
        if (!pressed_)
            break;
        handleRelease(static_cast<QMouseEvent&>(*event));
        return true;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void OptionButton::handlePress(QMouseEvent& event)
{
    event.accept();
    pressed_ = true;
    const QPointer<OptionButton> alive(this);
    const QPointF at = event.position();
    if (MouseDown)
        MouseDown(mouseButtonCode(event.button()), shiftStateOf(event), pixelsToTwips(at.x()),
                  pixelsToTwips(at.y()));
    // The platform selects an option pressed with the main button, unless the handler has
    // just made it unreachable.
    if (alive && event.button() == Qt::LeftButton && isEnabled())
        setValue(true);
}

void OptionButton::handleRelease(QMouseEvent& event)
{
    event.accept();
    pressed_ = false;
    const QPointF at = event.position();
    if (MouseUp)
        MouseUp(mouseButtonCode(event.button()), shiftStateOf(event), pixelsToTwips(at.x()),
                pixelsToTwips(at.y()));
}

void OptionButton::keyPressEvent(QKeyEvent* event)
{
    int keyCode = keyCodeOf(*event);
    if (KeyDown)
        KeyDown(keyCode, shiftStateOf(*event));
    // A key the handler leaves unconsumed gets no special handling from an option button;
    // it travels on like any unhandled key.
    if (keyCode != 0)
        event->ignore();
    else
        event->accept();
    int character = characterOf(*event);
    if (character != 0 && KeyPress)
        KeyPress(character);
}

void OptionButton::keyReleaseEvent(QKeyEvent* event)
{
    // Auto-repeat sends key-downs only; a held key is released once, when it really is.
    if (event->isAutoRepeat())
        return;
    // Tab belongs to the window's focus traversal, on release as on press.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return;
    int keyCode = keyCodeOf(*event);
    if (KeyUp)
        KeyUp(keyCode, shiftStateOf(*event));
    event->accept();
}

void OptionButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    if (GotFocus)
        GotFocus();
}

void OptionButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    if (LostFocus)
        LostFocus();
}

void OptionButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool sunken = value_;
    const QColor face = backColor_.resolve(palette());
    drawFlatButton(painter, rect(), face, sunken);
    const QPoint shift = sunken ? QPoint(1, 1) : QPoint(0, 0);
    if (!picture_.isEmpty()) {
        const ui::Picture shown = picture_.scaled(fitScale());
        const QSize size = shown.size();
        const QPoint topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
        shown.draw(painter, topLeft + shift);
    }
    if (!text().isEmpty()) {
        painter.setPen(foreColor_.resolveOn(palette(), face, kTextContrast));
        painter.setFont(font());
        painter.drawText(rect().adjusted(3, 3, -3, -3).translated(shift), Qt::AlignCenter | Qt::TextWordWrap,
                         text());
    }
}

// Frame ---------------------------------------------------------------------------------------

Frame::Frame(QWidget* container, const QString& name, int index)
    : QWidget(container), VisualControl(ControlKind::Frame, this, name, index)
{
    // Fills its whole box, as an opaque label does: nothing beneath it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Frame::setBackColor(Colour colour)
{
    backColor_ = colour;
    update();
}

void Frame::setBordered(bool bordered)
{
    bordered_ = bordered;
    update();
}

void Frame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const DevicePixels device(painter, rect());
    const QColor face = backColor_.resolve(palette());
    painter.fillRect(device.box(), face);
    if (!bordered_)
        return;
    // An etched line: a dark groove with a light edge below and to the right of it. The classic
    // grey groove darkens just enough to stay in sight on a light face such as the windows' pink.
    const int line = device.lines(1);
    const QRect groove = device.box().adjusted(0, 0, -line, -line);
    const QColor dark = standingOut(QColor(128, 128, 128), face, kOutlineContrast);
    const QColor light(255, 255, 255);
    drawBorder(painter, groove, line, dark, dark);
    drawBorder(painter, groove.translated(line, line), line, light, light);
}

// PictureBox ----------------------------------------------------------------------------------

PictureBox::PictureBox(QWidget* container, const QString& name, int index)
    : QWidget(container), VisualControl(ControlKind::PictureBox, this, name, index)
{
    // Fills its whole box, as an opaque label does: nothing beneath it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setBackColor(Colour colour)
{
    backColor_ = colour;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), backColor_.resolve(palette()));
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

// Image ---------------------------------------------------------------------------------------

Image::Image(QWidget* container, const QString& name, int index)
    : QWidget(container), VisualControl(ControlKind::Image, this, name, index)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Image::setPicture(const ui::Picture& picture)
{
    if (picture_ == picture)
        return;
    picture_ = picture;
    VisualControl::updateGeometry();
    update();
}

void Image::paintEvent(QPaintEvent*)
{
    if (picture_.isEmpty())
        return;
    QPainter painter(this);
    picture_.scaled(fitScale()).draw(painter, QPoint(0, 0));
}

// Shape ---------------------------------------------------------------------------------------

Shape::Shape(QWidget* container, const QString& name, int index)
    : QWidget(container), VisualControl(ControlKind::Shape, this, name, index)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setShape(ShapeKind shape)
{
    shape_ = shape;
    update();
}

void Shape::setFillColor(Colour colour)
{
    fillColor_ = colour;
    filled_ = true;
    update();
}

void Shape::setBorderColor(Colour colour)
{
    borderColor_ = colour;
    update();
}

void Shape::setBorderWidth(int pixels)
{
    borderWidth_ = std::max(0, pixels);
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor inside = filled_ ? fillColor_.resolve(palette()) : backdropOf(parentWidget());
    painter.setBrush(filled_ ? QBrush(inside) : QBrush(Qt::NoBrush));
    const auto outline = [&](qreal width) {
        if (width <= 0) {
            painter.setPen(Qt::NoPen);
            return;
        }
        QPen pen(borderColor_.resolveOn(palette(), inside, kOutlineContrast), width);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
    };
    if (shape_ == ShapeKind::Circle) {
        // A disc has no straight side to keep on the pixel grid: it is drawn smooth where it falls.
        const qreal half = borderWidth_ / 2.0;
        const QRectF box = QRectF(rect()).adjusted(half, half, -half, -half);
        const qreal side = std::min(box.width(), box.height());
        outline(borderWidth_);
        painter.drawEllipse(QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side));
        return;
    }
    // Straight sides lie on whole device pixels, each as thick as the others.
    const DevicePixels device(painter, rect());
    const int width = device.lines(borderWidth_);
    outline(width);
    const qreal half = width / 2.0;
    const QRectF box = QRectF(device.box()).adjusted(half, half, -half, -half);
    if (shape_ == ShapeKind::Rectangle) {
        painter.drawRect(box);
        return;
    }
    const qreal radius = std::min(box.width(), box.height()) / 6.0;
    painter.drawRoundedRect(box, radius, radius);
}

// Timer ---------------------------------------------------------------------------------------

Timer::Timer(QObject* owner, const QString& name, Twips left, Twips top)
    : QObject(owner), Control(ControlKind::Timer, name, -1), left_(left), top_(top)
{
    setObjectName(name);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (Tick)
            Tick();
    });
}

void Timer::setInterval(int milliseconds)
{
    interval_ = milliseconds;
    timer_.setInterval(milliseconds);
    setEnabled(enabled_);
}

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (enabled_ && interval_ > 0)
        timer_.start();
    else
        timer_.stop();
}

void Timer::detachHandlers()
{
    timer_.stop();
    Tick = nullptr;
}

// MenuEntry -----------------------------------------------------------------------------------

MenuEntry::MenuEntry(QAction* action, const QString& name, int index)
    : Control(ControlKind::Menu, name, index), action_(action)
{
    action_->setObjectName(qualifiedName());
}

QString MenuEntry::Caption() const
{
    return action_ ? action_->text() : QString();
}

} // namespace ui
