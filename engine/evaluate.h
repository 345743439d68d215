// The static value of a position just after a move, in three phases by the
// number of stones already stored.
#pragma once

#include "engine/board.h"

namespace zeko::engine {

// position is turned so that the side that has just moved owns cells 0-5 and
// store 13; the value is seen from that side.
int32_t evaluate(const Board& position);

}  // namespace zeko::engine
