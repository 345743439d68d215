#include "engine/search.h"

#include <climits>
#include <cstring>

#include "engine/eval_tables.h"
#include "engine/pump.h"
#include "engine/sow.h"
#include "engine/values.h"

// The search visits millions of positions, so it works on a compact copy: the
// fourteen counts as bytes in one 16-byte vector. A move's sowing is a single
// vector addition of a precomputed increment, and instead of turning the board
// round at every ply the side to move is a template parameter. All of this is
// only representation: the values, the order of the moves, the work array and
// the looks at the message queue are exactly those of the plain algorithm.

namespace zeko::engine {

namespace {

using Cells = uint8_t __attribute__((vector_size(16)));

// What sowing n stones from a pit adds to every cell (the origin's lane wraps
// to zero), and the pit that receives the last stone.
struct SowTables {
    Cells increment[kPits][kCounts];
    int8_t last[kPits][kCounts];
};

SowTables makeSowTables() {
    SowTables t{};
    for (int origin = 0; origin < kPits; ++origin) {
        for (int n = 0; n < kCounts; ++n) {
            Board board{};
            board[origin] = n;
            int last = origin;
            for (int left = n, cursor = origin; left > 0;) {
                cursor = cursor == kPits - 1 ? 0 : cursor + 1;
                if (cursor == origin) continue;
                ++board[cursor];
                --left;
                last = cursor;
            }
            Cells inc{};
            for (int cell = 0; cell < kPits; ++cell)
                inc[cell] = static_cast<uint8_t>(board[cell]);
            inc[origin] = static_cast<uint8_t>(-n);
            t.increment[origin][n] = inc;
            t.last[origin][n] = static_cast<int8_t>(last);
        }
    }
    return t;
}

const SowTables kSow = makeSowTables();

Cells toCells(const Board& board) {
    Cells c{};
    for (int cell = 0; cell < kCells; ++cell)
        c[cell] = static_cast<uint8_t>(board[cell]);
    return c;
}

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

// evaluate() of the position just after the mover's move, without turning it.
template <bool Top>
inline int32_t evaluateAfter(const Cells& c) {
    const auto& term = evaltables().term[evalphase(c[kTopStore] + c[kBottomStore])][Top];
    int32_t value = 0;
    for (int cell = 0; cell < kPits; ++cell)
        value += term[cell][c[cell]];
    return value;
}

// Values the six moves of the side Top at depth plies, handing each (k, value)
// to sink in move order. Returns early, with later moves unvalued, when a look
// at the message queue finds a stop.
template <bool Top, class Sink>
void searchNode(const Cells& position, int depth, int32_t* work, Sink&& sink);

// The greatest value among the six moves of the side Top.
template <bool Top>
int32_t bestValue(const Cells& position, int depth, int32_t* work) {
    int32_t best = INT_MIN;
    searchNode<Top>(position, depth, work, [&best](int, int32_t value) {
        if (value > best) best = value;
    });
    return best;
}

template <bool Top, class Sink>
void searchNode(const Cells& position, int depth, int32_t* work, Sink&& sink) {
    using S = Side<Top>;
    for (int k = 0; k < kPitsPerRow; ++k) {
        work[depth] = k;
        const int origin = S::own + k;
        const int n = position[origin];
        if (n == 0) {
            sink(k, kEmptyPit);
            continue;
        }
        Cells c = position + kSow.increment[origin][n];
        const int last = kSow.last[origin][n];
        if (last >= S::opponent && last < S::opponent + kPitsPerRow) {
            for (int i = last; i >= S::opponent && static_cast<uint8_t>(c[i] - 2) <= 1; --i) {
                c[S::ownStore] += c[i];
                c[i] = 0;
            }
        }
        if (rowEmpty(c, S::opponent)) {
            sink(k, kStarves);
            continue;
        }
        if (c[S::ownStore] > kWinningStore) {
            sink(k, kWinNow);
            continue;
        }
        const bool ownRowEmpty = rowEmpty(c, S::own);
        if (depth == 1 && !ownRowEmpty) {
            sink(k, evaluateAfter<Top>(c) +
                        kStoreWeight * (int32_t{c[S::ownStore]} - int32_t{c[S::opponentStore]}));
            continue;
        }
        // A mover that has emptied its own row is followed one ply further.
        int32_t m = bestValue<!Top>(c, depth == 1 ? 1 : depth - 1, work);
        if (stopflag) return;
        if (m == kStarves)
            m = c[S::ownStore] < kWinningStore ? kStarvedLoss : kStarvedDraw;
        else if (m > kWinBound)
            --m;  // a win further away is worth less
        sink(k, -m);
        if (depth == 4 && pumpmessages()) return;
    }
}

}  // namespace

void searchmoves(const Board& board, int32_t values[6], int depth, int32_t* work) {
    searchNode<true>(toCells(board), depth, work, [values](int k, int32_t v) { values[k] = v; });
}

int searchdepth(const Board& board, int level) {
    const int left = kStones - board[kTopStore] - board[kBottomStore];
    return level + (left <= 20) + (left <= 14) + (left <= 10) + (left <= 7);
}

int32_t findmove(const Board& board, int level) {
    stopflag = 0;
    int empty = 0;
    int starving = 0;
    int lastNonEmpty = 0;
    int lastFeeding = 0;
    for (int pit = kPitsPerRow; pit < kPits; ++pit) {
        if (board[pit] == 0) {
            ++empty;
            continue;
        }
        lastNonEmpty = pit;
        Board copy = board;
        if (sow(copy, pit).bottom == 0)
            ++starving;
        else
            lastFeeding = pit;
    }
    if (empty == kPitsPerRow) return kPitsPerRow;
    if (empty == kPitsPerRow - 1) return lastNonEmpty;
    if (empty + starving == kPitsPerRow) return lastNonEmpty;
    if (empty + starving == kPitsPerRow - 1) return lastFeeding;

    int32_t values[kPitsPerRow];
    int32_t work[kWorkSize] = {};
    searchmoves(board, values, 1, work);
    for (int k = 0; k < kPitsPerRow; ++k) {
        if (values[k] >= kWinBound) return kPitsPerRow + k;
    }

    for (int32_t& v : values)
        v = kEmptyPit;  // a stopped search leaves some unwritten
    searchmoves(board, values, searchdepth(board, level), work);
    int best = 0;
    for (int k = 1; k < kPitsPerRow; ++k) {
        if (values[k] > values[best]) best = k;
    }
    return stopflag ? 0 : kPitsPerRow + best;
}

}  // namespace zeko::engine
