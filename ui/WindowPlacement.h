// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window goes so that it does not hide another one. Pure rectangle arithmetic on frame
// rectangles in screen coordinates (the window manager's title bar and border included), so it
// can be checked without a screen.
namespace wendrix::ui {

// The margins of a window's frame around its inner rectangle.
[[nodiscard]] QMargins FrameMarginsOf(const QRect& frame, const QRect& inner);

// The gap left between a placed window and the one it keeps clear of.
inline constexpr int kPlacementGap = 8;

// The top-left corner for a frame of the wanted size that does not overlap the obstacle: the
// wanted place itself when it is clear already, else the nearest clear place below, above, to
// the right or to the left of the obstacle that fits into the available area. When none fits,
// the place below the obstacle, pushed into the area as far as it goes.
[[nodiscard]] QPoint PlaceClearOf(const QRect& wanted, const QRect& obstacle,
                                  const QRect& available);

// A window shown beside the main window (the evaluation log): below it, to its right or to its
// left, whichever side of the available area offers the larger window of at least the minimum
// size; its size is the wanted one cut to that side. Where no side is large enough the window goes
// below the main window's controls (keepClear: its buttons and thresholds grid), covering the
// lower part of the matrix but never the controls.
[[nodiscard]] QRect PlaceBeside(const QRect& mainFrame, const QRect& keepClear, const QSize& wanted,
                                const QSize& minimum, const QRect& available);

}  // namespace wendrix::ui
