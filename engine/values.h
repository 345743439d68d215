// The scale of search values, seen from the side that moves.
#pragma once

#include <cstdint>

namespace zeko::engine {

inline constexpr int32_t kEmptyPit = -2000;   // no move
inline constexpr int32_t kStarves = -1000;    // leaves the opponent without stones
inline constexpr int32_t kWinNow = 515;       // the move passes 24 in the store
inline constexpr int32_t kWinBound = 500;     // above: a forced win; below minus: a loss
inline constexpr int32_t kStarvedLoss = 514;  // opponent's view when every reply starves us
inline constexpr int32_t kStarvedDraw = 250;  // the same with exactly 24 in our store
inline constexpr int32_t kStoreWeight = 20;   // per stone of store lead at a leaf
inline constexpr int32_t kWinningStore = 24;  // a store above this wins

}  // namespace zeko::engine
