// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls.h"

#include "ui/accessibility.h"
#include "ui/device_pixels.h"
#include "ui/form_window.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

namespace {

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

void Label::setTransparent(bool transparent)
{
    transparent_ = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
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
            const QColor line = Colour::windowText().outlineOn(palette(), back);
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
    painter.setPen(foreColor_.textOn(palette(), back));
    painter.setFont(font());
    painter.drawText(textBox, flags, caption_);
}

// Frame ---------------------------------------------------------------------------------------

Frame::Frame(QWidget* container, const QString& name, int index)
    : QWidget(container), VisualControl(ControlKind::Frame, this, name, index)
{
    // Fills its whole box, as an opaque label does: nothing beneath it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    const QColor dark = grooveOn(face);
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

void Shape::setFillColor(Colour colour)
{
    fillColor_ = colour;
    filled_ = true;
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
        QPen pen(borderColor_.outlineOn(palette(), inside), width);
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

} // namespace ui
