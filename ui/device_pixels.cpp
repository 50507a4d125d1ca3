// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/device_pixels.h"

#include <algorithm>
#include <cmath>

namespace ui {

DevicePixels::DevicePixels(QPainter& painter, const QRect& logical) : painter_(painter)
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

int DevicePixels::lines(int logicalPixels) const
{
    return logicalPixels <= 0 ? 0 : std::max(1, static_cast<int>(std::lround(logicalPixels * scale_)));
}

void drawBorder(QPainter& painter, const QRect& box, int width, const QColor& topLeft,
                const QColor& bottomRight)
{
    painter.fillRect(QRect(box.left(), box.top(), box.width(), width), topLeft);
    painter.fillRect(QRect(box.left(), box.top(), width, box.height()), topLeft);
    painter.fillRect(QRect(box.left(), box.bottom() - width + 1, box.width(), width), bottomRight);
    painter.fillRect(QRect(box.right() - width + 1, box.top(), width, box.height()), bottomRight);
}

namespace {

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

} // namespace

void drawFlatButton(QPainter& painter, const QRect& rect, const QColor& face, bool sunken)
{
    const DevicePixels device(painter, rect);
    painter.fillRect(device.box(), face);
    drawBevel(painter, device.box(), device.lines(1), sunken);
}

} // namespace ui
