#include "gui/dialogs/clear_placement.h"

#include <algorithm>

namespace zeko::gui {

namespace {

// A little air between the dialog and what it keeps clear of.
constexpr int kGap = 8;

// `start` moved by as little as keeps [start, start + length) in [low, high).
int KeptWithin(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

}  // namespace

QPoint ClearPlacement(const QRect& avoid, const QRect& owner, const QRect& screen, QSize frame) {
    const int centredX = KeptWithin(avoid.center().x() - frame.width() / 2, frame.width(),
                                    screen.left(), screen.right() + 1);
    const int centredY = KeptWithin(owner.center().y() - frame.height() / 2, frame.height(),
                                    screen.top(), screen.bottom() + 1);
    const QPoint candidates[] = {
        {centredX, avoid.bottom() + 1 + kGap},
        {centredX, avoid.top() - kGap - frame.height()},
        {owner.right() + 1, centredY},
        {owner.left() - frame.width(), centredY},
    };
    for (const QPoint& corner : candidates) {
        const QRect placed(corner, frame);
        if (screen.contains(placed) && !placed.intersects(avoid)) return corner;
    }
    return {KeptWithin(owner.center().x() - frame.width() / 2, frame.width(), screen.left(),
                       screen.right() + 1),
            centredY};
}

}  // namespace zeko::gui
