// Positions for engine tests: written out by hand, or reached by random legal play.
#pragma once

#include <string_view>
#include <vector>

#include "engine/board.h"

namespace zeko::testing {

using engine::Board;
// The pair of repetition records that execmove keeps, the bottom half's first.
using Trackers = std::array<int32_t, 6>;

// A board from its fourteen numbers separated by spaces, the way a position
// reads in the rules: bottom row cells 0-5, top row cells 6-11, then the top
// and bottom store.
Board makeBoard(std::string_view cells);

// count positions reached from the start by 0..maxPlies random legal moves
// (opening and feeding rules kept), stopping early at the end of a game. The
// side to move owns cells 6-11 when topToMove, else cells 0-5, and has stones.
std::vector<Board> randomPositions(uint32_t seed, int count, int maxPlies, bool topToMove);

// count positions with 1..maxLeft stones thrown at random over the pits, the
// rest shared by the stores without either passing 24; the top half to move.
std::vector<Board> randomEndgames(uint32_t seed, int count, int maxLeft);

}  // namespace zeko::testing
