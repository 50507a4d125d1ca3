// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

class QPainter;
class QPixmap;

namespace ui {

// A picture held by value: copying one into a slot is a plain copy, and clearing or replacing the
// slot never touches the original. The drawing itself is a vector resource, rendered at the
// device's pixel ratio so it stays crisp on every screen.
class Picture
{
public:
    Picture() = default; // the empty picture
    Picture(QString resource, QSize pixelSize);

    bool isEmpty() const { return resource_.isEmpty(); }
    QString resource() const { return resource_; }
    QSize size() const { return size_; } // logical pixels, the picture's own size
    // The same drawing at `factor` times its size, for a window shrunk to fit the screen.
    Picture scaled(double factor) const;

    // Draws the picture at its own size with its top-left corner at topLeft; never stretched.
    void draw(QPainter& painter, QPoint topLeft) const;
    QPixmap pixmap(qreal devicePixelRatio) const;

    friend bool operator==(const Picture&, const Picture&) = default;

private:
    QString resource_;
    QSize size_;
};

} // namespace ui
