// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/placement.h"

#include <algorithm>
#include <cmath>

namespace ui {

WindowPlacement placeWindow(QSize designInner, int menuHeight, const QMargins& frame, const QRect& available,
                            bool untoldFrame)
{
    const QMargins allowed = untoldFrame && frame.isNull() ? kUntoldTitleBar : frame;
    const int extraWidth = allowed.left() + allowed.right();
    const int extraHeight = allowed.top() + allowed.bottom() + menuHeight;
    QSize inner = designInner;
    if (designInner.width() > 0 && designInner.height() > 0) {
        const double byWidth = static_cast<double>(available.width() - extraWidth) / designInner.width();
        const double byHeight = static_cast<double>(available.height() - extraHeight) / designInner.height();
        const double scale = std::clamp(std::min(byWidth, byHeight), 0.0, 1.0);
        // The small allowance keeps a side that fits exactly from losing a pixel to rounding.
        constexpr double kAllowance = 1e-6;
        if (scale < 1.0)
            inner = QSize(static_cast<int>(std::floor(designInner.width() * scale + kAllowance)),
                          static_cast<int>(std::floor(designInner.height() * scale + kAllowance)));
    }
    const QSize outer(inner.width() + extraWidth, inner.height() + extraHeight);
    // On a screen too small even for that, the title bar stays reachable at the top left.
    const QPoint topLeft(available.left() + std::max(0, (available.width() - outer.width()) / 2),
                         available.top() + std::max(0, (available.height() - outer.height()) / 2));
    return {inner, topLeft};
}

} // namespace ui
