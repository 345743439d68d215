// Playing one pit: the sowing of its stones and the captures that follow.
#pragma once

#include "engine/board.h"

namespace zeko::engine {

// Stones left in each row after a move, captures included.
struct RowSums {
    int32_t Top;     // cells 6-11
    int32_t Bottom;  // cells 0-5
};

// Sows the stones of pit (0-11) in place and captures. Checks no rule: callers
// that only try a move pass a copy.
RowSums sow(Board& board, int pit);

}  // namespace zeko::engine
