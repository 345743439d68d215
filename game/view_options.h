// The eight display options of the View menu, the bits of the setting "View".
#pragma once

#include <array>

namespace zeko::game {

enum ViewOption {
    kMoveIndicator = 0,
    kFlashingMoves = 1,
    kFlashingClock = 2,
    kTimeBar = 3,
    kFieldLabels = 4,
    kShadow = 5,
    kGraphicChips = 6,
    kGraphicScores = 7,
};

using ViewOptions = std::array<bool, 8>;

}  // namespace zeko::game
