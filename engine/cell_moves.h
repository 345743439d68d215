// Moves on the search's compact position: sowing as one vector addition of a
// precomputed increment, the capture walk, and the evaluation without turning
// the board. The side to move is a template parameter, so no search turns the
// board round at every ply.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/eval_tables.h"
#include "engine/values.h"

namespace zeko::engine {

// What sowing n stones from a pit adds to every cell (the origin's lane wraps
// to zero), and the pit that receives the last stone.
struct SowTables {
    Cells Increment[kPits][kCounts];
    int8_t Last[kPits][kCounts];
};

extern const SowTables kSowTables;

Cells ToCells(const Board& board);

// True when the six cells from first on hold no stone.
inline bool RowEmpty(const Cells& c, int first) {
    uint64_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const uint8_t*>(&c) + first, sizeof bytes);
    return (bytes & 0xFFFF'FFFF'FFFFull) == 0;
}

// The side that owns cells 6-11 (Top) or 0-5 moves.
template <bool Top>
struct Side {
    static constexpr int kOwn = Top ? kPitsPerRow : 0;
    static constexpr int kOpponent = Top ? 0 : kPitsPerRow;
    static constexpr int kOwnStore = Top ? kTopStore : kBottomStore;
    static constexpr int kOpponentStore = Top ? kBottomStore : kTopStore;
};

// The position after the side Top sows its pit k (not empty), captures done.
template <bool Top>
inline Cells PlayPit(const Cells& position, int k) {
    using S = Side<Top>;
    const int origin = S::kOwn + k;
    const int n = position[origin];
    Cells c = position + kSowTables.Increment[origin][n];
    const int last = kSowTables.Last[origin][n];
    if (last >= S::kOpponent && last < S::kOpponent + kPitsPerRow) {
        for (int i = last; i >= S::kOpponent && static_cast<uint8_t>(c[i] - 2) <= 1; --i) {
            c[S::kOwnStore] += c[i];
            c[i] = 0;
        }
    }
    return c;
}

// evaluate() of the position just after the mover's move, without turning it.
template <bool Top>
inline int32_t EvaluateAfter(const Cells& c) {
    const auto& term = SharedEvalTables().Term[evalphase(c[kTopStore] + c[kBottomStore])][Top];
    int32_t value = 0;
    for (int cell = 0; cell < kPits; ++cell)
        value += term[cell][c[cell]];
    return value;
}

// A leaf's value: the evaluation plus the mover's store lead, weighted.
template <bool Top>
inline int32_t LeafValue(const Cells& c) {
    using S = Side<Top>;
    return EvaluateAfter<Top>(c) +
           kStoreWeight * (int32_t{c[S::kOwnStore]} - int32_t{c[S::kOpponentStore]});
}

// What DecidedValue returns when the move's value needs its replies searched.
inline constexpr int32_t kUndecided = std::numeric_limits<int32_t>::min();

// The value of the side Top's pit k where the rules decide it without its
// replies: an empty pit, a starved opponent, a store past 24, a leaf at depth
// 1. A mover that has emptied its own row is followed one ply further, so its
// leaf is not decided here. Otherwise kUndecided, with the position after the
// move in child.
template <bool Top>
inline int32_t DecidedValue(const Cells& position, int k, int depth, Cells& child) {
    using S = Side<Top>;
    if (position[S::kOwn + k] == 0) return kEmptyPit;
    child = PlayPit<Top>(position, k);
    if (RowEmpty(child, S::kOpponent)) return kStarves;
    if (child[S::kOwnStore] > kWinningStore) return kWinNow;
    if (depth == 1 && !RowEmpty(child, S::kOwn)) return LeafValue<Top>(child);
    return kUndecided;
}

}  // namespace zeko::engine
