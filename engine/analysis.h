// Analysis of the bottom half's moves and the principal line.
#pragma once

#include "engine/board.h"
#include "engine/transposition_table.h"

namespace zeko::engine {

inline constexpr int32_t kCodeIllegal = 0x4000;
inline constexpr int32_t kCodeWin = 0x2000;   // + the mover's move that wins
inline constexpr int32_t kCodeLoss = 0x1000;  // + the opponent's move that wins

// Both search with `table`, the library's own unless told otherwise; without
// one (null) they give the same results, only slower.

// Codes the six pits of the side of cells 0-5 at depth (1..kMaxDepth) and
// returns its best pit. work needs depth + 1 integers.
int32_t analyze(const Board& board, int depth, int32_t values[6], int32_t* work,
                TranspositionTable* table = TranspositionTable::Shared());

// The principal line from first (0-5), at most plies (1..kMaxDepth + 1) entries,
// in the caller's numbering; returns the number of entries.
int32_t findline(const Board& board, int plies, int first, int32_t* line, int32_t* work,
                 TranspositionTable* table = TranspositionTable::Shared());

}  // namespace zeko::engine
