// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/control.h"

#include "ui/twips.h"

#include <QWidget>
#include <cmath>
#include <utility>

namespace ui {

Control::Control(ControlKind kind, QString name, int index)
    : kind_(kind), name_(std::move(name)), index_(index)
{
}

Control::~Control() = default;

QString Control::qualifiedName() const
{
    if (index_ < 0)
        return name_;
    return QStringLiteral("%1(%2)").arg(name_).arg(index_);
}

void Control::Move(Twips, Twips, Twips, Twips)
{
}

VisualControl::VisualControl(ControlKind kind, QWidget* self, QString name, int index)
    : Control(kind, std::move(name), index), self_(self)
{
    self_->setObjectName(qualifiedName());
}

static Twips containerWidthTwips(const QWidget* w)
{
    return w->parentWidget() ? pixelsToTwips(w->parentWidget()->width()) : Twips();
}

static Twips containerHeightTwips(const QWidget* w)
{
    return w->parentWidget() ? pixelsToTwips(w->parentWidget()->height()) : Twips();
}

Twips VisualControl::Left() const
{
    if (dock_ == Dock::Right)
        return containerWidthTwips(self_) - twips_.width;
    return dock_ == Dock::Left ? Twips() : twips_.left;
}

Twips VisualControl::Top() const
{
    return dock_ == Dock::None ? twips_.top : Twips();
}

Twips VisualControl::Width() const
{
    return twips_.width;
}

Twips VisualControl::Height() const
{
    return dock_ == Dock::None ? twips_.height : containerHeightTwips(self_);
}

void VisualControl::Move(Twips left, Twips top, Twips width, Twips height)
{
    if (dock_ == Dock::None)
        twips_ = {left, top, width, height};
    else
        twips_.width = width;
    updateGeometry();
}

void VisualControl::setWidth(Twips width)
{
    Move(twips_.left, twips_.top, width, twips_.height);
}

void VisualControl::paintAnew()
{
    self_->update();
}

TwipRect VisualControl::twipRect() const
{
    return {Left(), Top(), Width(), Height()};
}

bool VisualControl::Visible() const
{
    return !self_->isHidden();
}

bool VisualControl::Enabled() const
{
    // The control's own setting, as a container's state does not change it.
    return !self_->testAttribute(Qt::WA_ForceDisabled);
}

void VisualControl::setDock(Dock dock)
{
    dock_ = dock;
    updateGeometry();
}

void VisualControl::updateGeometry()
{
    QRect pixels = twipsToPixelRect(twips_);
    pixels.setSize(pixels.size().expandedTo(minimumPixelSize()));
    if (dock_ != Dock::None && self_->parentWidget()) {
        const QWidget* container = self_->parentWidget();
        const int width = std::min(pixels.width(), container->width());
        const int x = dock_ == Dock::Left ? 0 : container->width() - width;
        pixels = QRect(x, 0, width, container->height());
    }
    self_->setGeometry(pixels);
}

void VisualControl::setFitScale(double scale)
{
    if (scale == fitScale_)
        return;
    fitScale_ = scale;
    // Only a font the window set on the control itself; the others follow their container's.
    if (!designFont_ && self_->testAttribute(Qt::WA_SetFont)) {
        designFont_ = self_->font();
        designBox_ = twipsToPixelRect(twips_).size();
    }
    if (designFont_) {
        // A shrunk box's edges round to whole pixels, so it may come out a pixel smaller than the
        // factor says; its text shrinks as for that pixel less, and rounds down.
        const int side = std::min(designBox_.width(), designBox_.height());
        const double textScale = scale < 1.0 && side > 1 ? scale - 1.0 / side : scale;
        QFont font = *designFont_;
        if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, static_cast<int>(std::floor(font.pixelSize() * textScale))));
        else
            font.setPointSizeF(std::max(1.0, font.pointSizeF() * textScale));
        self_->setFont(font);
    }
    updateGeometry();
    self_->update();
}

} // namespace ui
