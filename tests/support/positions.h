// Positions for engine tests: written out by hand, or reached by random legal play.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/board.h"

namespace zeko::testing {

using engine::Board;

// A board from its twelve pits and two stores, the way a position reads in the
// rules: bottom row cells 0-5, top row cells 6-11, then the top and bottom store.
Board makeBoard(std::initializer_list<int32_t> cells);

// "{4,4,4,4,4,4 | 4,4,4,4,4,4 | 0,0}": the rows and stores, for failure messages.
std::string boardText(const Board& board);

// Total of all fourteen cells.
int32_t totalStones(const Board& board);

// A position reached from the start by up to `plies` random legal moves (both
// sides obeying the opening and feeding rules), stopping early at the end of a
// game. The board is turned so that the side to move owns cells 6-11 when
// topToMove is true, else cells 0-5. A game that goes on always leaves the side
// to move some stones, so that side can move.
Board randomPosition(std::mt19937& rng, int plies, bool topToMove);

// `count` such positions with ply counts spread over 0..maxPlies.
std::vector<Board> randomPositions(uint32_t seed, int count, int maxPlies, bool topToMove);

}  // namespace zeko::testing
