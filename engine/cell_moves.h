// Moves on the search's compact position: sowing as one vector addition of a
// precomputed increment, the capture walk, and the evaluation without turning
// the board. The side to move is a template parameter, so no search turns the
// board round at every ply.
#pragma once

#include <cstdint>
#include <cstring>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/eval_tables.h"
#include "engine/values.h"

namespace zeko::engine {

// What sowing n stones from a pit adds to every cell (the origin's lane wraps
// to zero), and the pit that receives the last stone.
struct SowTables {
    Cells increment[kPits][kCounts];
    int8_t last[kPits][kCounts];
};

extern const SowTables kSowTables;

Cells toCells(const Board& board);

// True when the six cells from first on hold no stone.
inline bool rowEmpty(const Cells& c, int first) {
    uint64_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const uint8_t*>(&c) + first, sizeof bytes);
    return (bytes & 0xFFFF'FFFF'FFFFull) == 0;
}

// The side that owns cells 6-11 (Top) or 0-5 moves.
template <bool Top>
struct Side {
    static constexpr int own = Top ? kPitsPerRow : 0;
    static constexpr int opponent = Top ? 0 : kPitsPerRow;
    static constexpr int ownStore = Top ? kTopStore : kBottomStore;
    static constexpr int opponentStore = Top ? kBottomStore : kTopStore;
};

// The position after the side Top sows its pit k (not empty), captures done.
template <bool Top>
inline Cells playPit(const Cells& position, int k) {
    using S = Side<Top>;
    const int origin = S::own + k;
    const int n = position[origin];
    Cells c = position + kSowTables.increment[origin][n];
    const int last = kSowTables.last[origin][n];
    if (last >= S::opponent && last < S::opponent + kPitsPerRow) {
        for (int i = last; i >= S::opponent && static_cast<uint8_t>(c[i] - 2) <= 1; --i) {
            c[S::ownStore] += c[i];
            c[i] = 0;
        }
    }
    return c;
}

// evaluate() of the position just after the mover's move, without turning it.
template <bool Top>
inline int32_t evaluateAfter(const Cells& c) {
    const auto& term = evaltables().term[evalphase(c[kTopStore] + c[kBottomStore])][Top];
    int32_t value = 0;
    for (int cell = 0; cell < kPits; ++cell)
        value += term[cell][c[cell]];
    return value;
}

// A leaf's value: the evaluation plus the mover's store lead, weighted.
template <bool Top>
inline int32_t leafValue(const Cells& c) {
    using S = Side<Top>;
    return evaluateAfter<Top>(c) +
           kStoreWeight * (int32_t{c[S::ownStore]} - int32_t{c[S::opponentStore]});
}

}  // namespace zeko::engine
