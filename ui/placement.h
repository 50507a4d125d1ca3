// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace ui {

// Where a window opens and how large: centred in the screen's available area with its frame, and
// wholly inside it. A design that does not fit is shrunk to the largest size of the same
// proportions that does; at design size and above nothing changes.
struct WindowPlacement
{
    QSize inner;         // the window's inner area, below any menu bar
    QPoint frameTopLeft; // where the outer edge of the frame goes
};

// Wayland compositors draw title bars that no program is told of; a window shrunk to fit leaves
// room for one of about this size, so the compositor need not push its title bar off the output.
// The room is kept below too: some centre the window without its title bar (sway does).
inline constexpr QMargins kUntoldTitleBar(2, 32, 2, 32);

// `menuHeight` stands above the inner area and is not scaled; `frame` is what the window manager
// adds around the window (none where there is no window manager or it is not known yet).
// `untoldFrame`: the platform may frame the window without telling (Wayland), so where `frame` is
// none, `kUntoldTitleBar` is allowed for.
WindowPlacement placeWindow(QSize designInner, int menuHeight, const QMargins& frame, const QRect& available,
                            bool untoldFrame = false);

} // namespace ui
