#include "app/screens/panel/panel_placement.h"

#include <algorithm>

namespace PanelPlacement {

namespace {

// Keeps [start, start + length) inside [low, high); when it cannot fit, the start edge wins so the panel's
// header and tabs stay reachable.
int clampInto(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

} // namespace

QPoint topLeft(QSize panel, const QRect& trayGeometry, QPoint pointer, const QRect& available) {
    const QRect anchor =
        trayGeometry.isValid() && !trayGeometry.isEmpty() ? trayGeometry : QRect(pointer, QSize(1, 1));
    const int availableBottom = available.top() + available.height();
    const int availableRight = available.left() + available.width();

    // Below the anchor when the panel fits there (a bar at the top, the pointer high up), else above it (a
    // bar at the bottom); when neither fits, on the side with more room.
    const int anchorBottom = anchor.top() + anchor.height();
    const int below = anchorBottom + kGap;
    const int above = anchor.top() - kGap - panel.height();
    int y = below;
    if (below + panel.height() > availableBottom) {
        const bool aboveFits = above >= available.top();
        const bool moreRoomAbove = anchor.top() - available.top() > availableBottom - anchorBottom;
        if (aboveFits || moreRoomAbove)
            y = above;
    }
    int x = anchor.left() + anchor.width() / 2 - panel.width() / 2;

    x = clampInto(x, panel.width(), available.left(), availableRight);
    y = clampInto(y, panel.height(), available.top(), availableBottom);
    return {x, y};
}

} // namespace PanelPlacement
