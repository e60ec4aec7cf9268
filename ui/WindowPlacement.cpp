// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace wendrix::ui {

namespace {

// Moves a start coordinate so that a length fits between low and high (inclusive) where it can;
// a length larger than the room starts at low.
int Clamp(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length + 1));
}

}  // namespace

QMargins FrameMarginsOf(const QRect& frame, const QRect& inner)
{
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

QPoint PlaceClearOf(const QRect& wanted, const QRect& obstacle, const QRect& available)
{
    if (!wanted.intersects(obstacle)) {
        return wanted.topLeft();
    }
    const int x = Clamp(wanted.left(), wanted.width(), available.left(), available.right());
    const int y = Clamp(wanted.top(), wanted.height(), available.top(), available.bottom());
    const std::array<QPoint, 4> candidates{
        QPoint(x, obstacle.bottom() + 1 + kPlacementGap),
        QPoint(x, obstacle.top() - kPlacementGap - wanted.height()),
        QPoint(obstacle.right() + 1 + kPlacementGap, y),
        QPoint(obstacle.left() - kPlacementGap - wanted.width(), y),
    };
    const QPoint* best = nullptr;
    int bestDistance = 0;
    for (const QPoint& candidate : candidates) {
        const QRect frame(candidate, wanted.size());
        if (!available.contains(frame) || frame.intersects(obstacle)) {
            continue;
        }
        const int distance = (candidate - wanted.topLeft()).manhattanLength();
        if (best == nullptr || distance < bestDistance) {
            best = &candidate;
            bestDistance = distance;
        }
    }
    if (best != nullptr) {
        return *best;
    }
    return {x, Clamp(candidates[0].y(), wanted.height(), available.top(), available.bottom())};
}

QRect PlaceBeside(const QRect& mainFrame, const QRect& keepClear, const QSize& wanted,
                  const QSize& minimum, const QRect& available)
{
    const int width = std::min(wanted.width(), available.width());
    const int height = std::min(wanted.height(), available.height());
    const int x = Clamp(mainFrame.left(), width, available.left(), available.right());
    const int y = Clamp(mainFrame.top(), height, available.top(), available.bottom());

    const int below = mainFrame.bottom() + 1;
    const int right = mainFrame.right() + 1;
    const int left = std::max(available.left(), mainFrame.left() - width);
    const std::array<QRect, 3> sides{
        QRect(x, below, width, std::min(height, available.bottom() - below + 1)),
        QRect(right, y, std::min(width, available.right() - right + 1), height),
        QRect(left, y, mainFrame.left() - left, height),
    };
    const QRect* best = nullptr;
    for (const QRect& side : sides) {
        if (side.width() < minimum.width() || side.height() < minimum.height()) {
            continue;
        }
        if (best == nullptr || side.width() * side.height() > best->width() * best->height()) {
            best = &side;
        }
    }
    if (best != nullptr) {
        return *best;
    }
    // Too small a screen for a window beside: over the matrix, below the controls.
    const int top = std::min(keepClear.bottom() + 1, available.bottom() - minimum.height() + 1);
    return {x, top, width, std::min(height, available.bottom() - top + 1)};
}

}  // namespace wendrix::ui
