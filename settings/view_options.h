// The eight display options of the View menu, the bits of the setting "View".
#pragma once

#include <array>

namespace zeko::settings {

enum ViewOption {
    kViewMoveIndicator = 0,
    kViewFlashingMoves = 1,
    kViewFlashingClock = 2,
    kViewTimeBar = 3,
    kViewFieldLabels = 4,
    kViewShadow = 5,
    kViewGraphicChips = 6,
    kViewGraphicScores = 7,
};

inline constexpr int kViewOptionCount = 8;

// Indexed by ViewOption.
using ViewOptions = std::array<bool, kViewOptionCount>;

// A first run shows the field labels, graphic chips and graphic scores.
inline constexpr ViewOptions kDefaultView = {false, false, false, false, true, false, true, true};

}  // namespace zeko::settings
