// Move legality and move execution with the end-of-game rules.
#pragma once

#include "engine/board.h"
#include "engine/repetition.h"

namespace zeko::engine {

// Whether the bottom half may play pit (any int; outside 0-5 is never legal).
bool checkmove(const Board& board, int pit, bool opening);

enum MoveResult : int32_t { kPlayOn = 0, kGameOver = 1, kRepetitionEnd = 2 };

// Plays pit (0-11) for its owner; trackers[0] is the bottom half's, [1] the top half's.
MoveResult execmove(Board& board, int pit, RepetitionTracker trackers[2]);

}  // namespace zeko::engine
