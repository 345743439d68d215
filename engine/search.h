// The computer's move: a full-width, fixed-depth negamax. It cuts off only
// where the move values and the work array come out exactly as without.
#pragma once

#include "engine/board.h"
#include "engine/zeko32.h"

namespace zeko::engine {

// The deepest search the engine accepts, in plies; deeper ones could not finish
// anyway and would only risk the stack.
inline constexpr int kMaxDepth = 32;
// Levels outside 1..kMaxLevel are brought into that range by findmove.
inline constexpr int kMaxLevel = kMaxDepth - 4;
static_assert(kMaxLevel == ZEKO_MAX_LEVEL);
// Size of findmove's own work array.
inline constexpr int kWorkSize = kMaxDepth + 1;

// Values the six moves from cells 6-11 (values[k] for pit 6 + k) for the side
// that owns them, searching depth plies (1..kMaxDepth). work[d] receives the move
// examined at depth d. A stopped search leaves the unreached values unwritten.
void searchmoves(const Board& board, int32_t values[6], int depth, int32_t* work);

// The search depth for a level: deeper as stones leave the board.
int searchdepth(const Board& board, int level);

// The top half's pit (6-11), or 0 when a StopSearch message stopped the search.
// level must be 1..kMaxLevel.
int32_t findmove(const Board& board, int level);

}  // namespace zeko::engine
