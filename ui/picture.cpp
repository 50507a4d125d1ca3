// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/picture.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

Picture::Picture(QString resource, QSize pixelSize) : resource_(std::move(resource)), size_(pixelSize)
{
}

Picture Picture::scaled(double factor) const
{
    if (isEmpty() || factor == 1.0)
        return *this;
    const auto side = [factor](int pixels) {
        return std::max(1, static_cast<int>(std::lround(pixels * factor)));
    };
    return Picture(resource_, QSize(side(size_.width()), side(size_.height())));
}

QPixmap Picture::pixmap(qreal devicePixelRatio) const
{
    if (isEmpty())
        return {};
    // A task shows up to twenty copies of one figure: render each drawing once per size and pixel
    // ratio.
    static QHash<QString, QPixmap> cache;
    const QString key = QStringLiteral("%1:%2x%3@%4")
                            .arg(resource_)
                            .arg(size_.width())
                            .arg(size_.height())
                            .arg(devicePixelRatio);
    if (const auto it = cache.constFind(key); it != cache.constEnd())
        return *it;

    const QSize devicePixels = (QSizeF(size_) * devicePixelRatio).toSize();
    QPixmap result(devicePixels);
    result.fill(Qt::transparent);
    QSvgRenderer renderer(resource_);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(devicePixels)));
    painter.end();
    result.setDevicePixelRatio(devicePixelRatio);
    cache.insert(key, result);
    return result;
}

void Picture::draw(QPainter& painter, QPoint topLeft) const
{
    if (isEmpty())
        return;
    painter.drawPixmap(topLeft, pixmap(painter.device()->devicePixelRatioF()));
}

} // namespace ui
