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

// The classic two-pixel bevel: light above and to the left when raised, the other way round
// when pressed in.
void drawBevel(QPainter& painter, const QRect& rect, bool sunken)
{
    const QColor light(255, 255, 255);
    const QColor midLight(223, 223, 223);
    const QColor shadow(128, 128, 128);
    const QColor dark(0, 0, 0);
    const QColor outerTopLeft = sunken ? dark : light;
    const QColor innerTopLeft = sunken ? shadow : midLight;
    const QColor outerBottomRight = sunken ? light : dark;
    const QColor innerBottomRight = sunken ? midLight : shadow;
    const QRect r = rect.adjusted(0, 0, -1, -1);
    painter.setPen(outerTopLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(outerBottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    const QRect inner = r.adjusted(1, 1, -1, -1);
    painter.setPen(innerTopLeft);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(innerBottomRight);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}

void drawFlatButton(QPainter& painter, const QRect& rect, const QColor& face, bool sunken)
{
    painter.fillRect(rect, face);
    drawBevel(painter, rect, sunken);
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
    const QRect box = rect();
    const QColor back = transparent_ ? backdropOf(parentWidget()) : backColor_.resolve(palette());
    if (!transparent_)
        painter.fillRect(box, back);
    QRect textBox = box;
    if (bordered_) {
        painter.setPen(Colour::windowText().resolveOn(palette(), back, kOutlineContrast));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        textBox = box.adjusted(1, 1, -1, -1);
    }
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
        QPen pen(Colour::buttonText().resolveOn(palette(), face, kOutlineContrast));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(4, 4, -5, -5));
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
        const QSize size = picture_.size();
        const QPoint topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
        picture_.draw(painter, topLeft + shift);
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
    const QColor face = backColor_.resolve(palette());
    painter.fillRect(rect(), face);
    if (!bordered_)
        return;
    // An etched line: a dark groove with a light edge below and to the right of it. The classic
    // grey groove darkens just enough to stay in sight on a light face such as the windows' pink.
    const QRect r = rect().adjusted(0, 0, -2, -2);
    painter.setPen(standingOut(QColor(128, 128, 128), face, kOutlineContrast));
    painter.drawRect(r);
    painter.setPen(QColor(255, 255, 255));
    painter.drawRect(r.translated(1, 1));
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
    picture_.draw(painter, QPoint(0, 0));
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
    const qreal half = borderWidth_ / 2.0;
    QRectF box = QRectF(rect()).adjusted(half, half, -half, -half);
    if (shape_ == ShapeKind::Circle) {
        const qreal side = std::min(box.width(), box.height());
        box = QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    }
    const QColor inside = filled_ ? fillColor_.resolve(palette()) : backdropOf(parentWidget());
    if (borderWidth_ > 0) {
        QPen pen(borderColor_.resolveOn(palette(), inside, kOutlineContrast), borderWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(filled_ ? QBrush(inside) : QBrush(Qt::NoBrush));
    switch (shape_) {
    case ShapeKind::Rectangle:
        painter.drawRect(box);
        break;
    case ShapeKind::RoundedRectangle: {
        const qreal radius = std::min(box.width(), box.height()) / 6.0;
        painter.drawRoundedRect(box, radius, radius);
        break;
    }
    case ShapeKind::Circle:
        painter.drawEllipse(box);
        break;
    }
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
