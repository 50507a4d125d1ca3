// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Drawing helpers of the controls that paint themselves; not for the windows.

#include <QColor>
#include <QPainter>
#include <QRect>

namespace ui {

// Paints in whole device pixels. At a fractional scale the edges of a control fall inside device
// pixels, and a one-pixel line drawn in logical coordinates then loses one side and doubles the
// other. `box` is the control's rectangle in the device pixels Qt fills and clips for it (its edges
// rounded), and a line of one logical pixel is a whole number of device pixels.
class DevicePixels
{
public:
    DevicePixels(QPainter& painter, const QRect& logical);
    ~DevicePixels() { painter_.restore(); }
    DevicePixels(const DevicePixels&) = delete;
    DevicePixels& operator=(const DevicePixels&) = delete;

    QRect box() const { return box_; }
    // A line of `logicalPixels` as whole device pixels, at least one where it is drawn at all.
    int lines(int logicalPixels) const;

private:
    QPainter& painter_;
    QRect box_;
    double scale_ = 1;
};

// A border `width` device pixels thick just inside `box`: top and left in one colour, bottom and
// right in another, which wins the two corners where they meet.
void drawBorder(QPainter& painter, const QRect& box, int width, const QColor& topLeft,
                const QColor& bottomRight);

// A flat face in its own colour with the classic two-pixel bevel, raised or pressed in.
void drawFlatButton(QPainter& painter, const QRect& rect, const QColor& face, bool sunken);

} // namespace ui
