// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/buttons.h"

#include "ui/device_pixels.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace ui {

namespace {

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

// Button --------------------------------------------------------------------------------------

Button::Button(QWidget* container, ControlKind kind, const QString& name, int index)
    : QAbstractButton(container), VisualControl(kind, this, name, index)
{
    setFocusPolicy(Qt::StrongFocus);
}

int Button::scanBand() const
{
    return std::max(3, std::min(width(), height()) / 10);
}

QRect Button::insideScanHighlight() const
{
    const int inset = 2 * scanBand();
    return rect().adjusted(inset, inset, -inset, -inset);
}

void Button::drawScanHighlight(QPainter& painter) const
{
    if (!scanHighlighted_)
        return;
    const int band = scanBand();
    const QRect outer = rect();
    const QRect middle = outer.adjusted(band, band, -band, -band);
    const QRect inner = middle.adjusted(band, band, -band, -band);
    const auto ring = [&](const QRect& from, const QRect& to, const QColor& colour) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.addRect(from);
        path.addRect(to);
        painter.fillPath(path, colour);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    ring(outer, middle, QColor(0, 0, 0));
    ring(middle, inner, QColor(0xFF, 0xE0, 0x00));
    painter.restore();
}

// CommandButton -------------------------------------------------------------------------------

CommandButton::CommandButton(QWidget* container, const QString& name, int index)
    : Button(container, ControlKind::CommandButton, name, index)
{
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (Click)
            Click();
    });
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
        drawScanHighlight(painter);
        return;
    }
    QPainter painter(this);
    const QColor face = backColor_.resolve(palette());
    drawFlatButton(painter, rect(), face, isDown());
    painter.setPen(Colour::buttonText().textOn(palette(), face));
    painter.setFont(font());
    const QRect textBox = rect().adjusted(3, 3, -3, -3).translated(isDown() ? 1 : 0, isDown() ? 1 : 0);
    painter.drawText(textBox, Qt::AlignCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        const DevicePixels device(painter, rect().adjusted(4, 4, -4, -4));
        const int line = device.lines(1);
        QPen pen(Colour::buttonText().outlineOn(palette(), face), line);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        // Centred on whole device pixels, so each side is one crisp line.
        const double half = line / 2.0;
        painter.drawRect(QRectF(device.box()).adjusted(half, half, -half, -half));
    }
    drawScanHighlight(painter);
}

// OptionButton --------------------------------------------------------------------------------

OptionButton::OptionButton(QWidget* container, const QString& name, int index)
    : Button(container, ControlKind::OptionButton, name, index)
{
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
        ui::Picture shown = picture_.scaled(fitScale());
        if (scanHighlighted()) {
            // Within the highlight, which would hide its edges.
            const QRect room = insideScanHighlight();
            const QSize size = shown.size();
            shown = picture_.scaled(fitScale() * std::min({1.0, double(room.width()) / size.width(),
                                                           double(room.height()) / size.height()}));
        }
        const QSize size = shown.size();
        const QPoint topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
        shown.draw(painter, topLeft + shift);
    }
    if (!text().isEmpty()) {
        painter.setPen(foreColor_.textOn(palette(), face));
        painter.setFont(font());
        painter.drawText(rect().adjusted(3, 3, -3, -3).translated(shift), Qt::AlignCenter | Qt::TextWordWrap,
                         text());
    }
    drawScanHighlight(painter);
}

// WayBack ------------------------------------------------------------------------------------

WayBack::WayBack(QWidget* client)
    : Button(client, ControlKind::CommandButton, QStringLiteral("TornaIndietro"), -1)
{
    // Its text is what a screen reader says as the scan reaches it; it is never drawn.
    setText(QStringLiteral("Torna indietro"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    setGeometry(client->rect());
    client->installEventFilter(this);
    connect(this, &QAbstractButton::clicked, this, [this] { window()->close(); });
    show();
    raise();
}

bool WayBack::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return Button::eventFilter(watched, event);
}

void WayBack::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawScanHighlight(painter);
}

int WayBack::scanBand() const
{
    // Round a whole window a button's tenth would hide what the child is counting.
    return std::max(4, std::min(width(), height()) / 60);
}

} // namespace ui
