#include "engine/search.h"

#include <climits>
#include <memory>
#include <new>

#include "engine/cell_moves.h"
#include "engine/pump.h"
#include "engine/sow.h"
#include "engine/subtree_cache.h"
#include "engine/values.h"

// The search visits millions of positions, so it works on the compact position
// of cell_moves.h. That is only representation: the values, the order of the moves, the work array
// and the looks at the message queue are exactly those of the plain algorithm. Below four plies
// nothing looks at the search, so there it also takes the values of subtrees it has met before from
// a SubtreeCache and stops a node as soon as the node cannot change its parent's maximum
// (SearchNode): the values it returns stay exact, and the work array ends as it would.

namespace zeko::engine {

namespace {

// What one search shares among its nodes.
struct SearchContext {
    int32_t* Work;
    SubtreeCache* Cache;  // null: every subtree is searched
    // Bit d: a node of depth d (1-3) has been entered. Every shallow node
    // leaves its work element at its last move, 5, before a deeper node goes
    // on; once all three bits are set, a shallow subtree cut short or taken
    // from the cache therefore leaves the work array as a full search would.
    uint32_t Entered = 0;
    static constexpr uint32_t kAllShallow = 0b1110;
    // Whether the node that returned last stopped before its last move; its
    // value is then only a bound, not kept in the cache.
    bool Cut = false;
};

// No best value yet, so no cut-off.
inline constexpr int32_t kNoBound = INT_MIN;

// What the mover's reply value m is worth to the mover's opponent: the value
// turned round, a starved mover counted as lost (or drawn at 24), a win
// further away worth less.
template <bool Top>
inline int32_t MoveValue(int32_t m, const Cells& c) {
    if (m == kStarves)
        return -(c[Side<Top>::kOwnStore] < kWinningStore ? kStarvedLoss : kStarvedDraw);
    return -(m > kWinBound ? m - 1 : m);
}

// Values the six moves of the side Top at depth plies and returns the greatest
// value; values, when given, receives each (the root of a search). Returns
// early when a look at the message queue finds a stop.
//
// A node below four plies looks at nothing, so only its greatest value
// matters, and only where it can beat parentBest, the best its parent has
// found: once this node's best so far shows that the parent's move is no
// better than parentBest whatever the rest holds, the node stops. The parent's
// maximum is the same, so every value above stays exact. (A best so far
// above kStarves can only rise, and the parent's value of it only falls.)
template <bool Top>
int32_t SearchNode(const Cells& position, int depth, SearchContext& context, int32_t* values,
                   int32_t parentBest);

// SearchNode for a subtree, through the cache where it has one. Until the
// search has entered shallow nodes of every depth, a subtree may be the first
// to write some work element, so it is searched in full.
template <bool Top>
int32_t BestValue(const Cells& position, int depth, SearchContext& context, int32_t parentBest) {
    SubtreeCache* cache = context.Cache;
    if (cache == nullptr || depth < SubtreeCache::kShallowest || depth > SubtreeCache::kDeepest ||
        context.Entered != SearchContext::kAllShallow)
        return SearchNode<Top>(position, depth, context, nullptr, parentBest);
    const Cells key = SubtreeCache::Key(position, depth, Top);
    if (const int32_t* known = cache->Find(key)) return *known;
    const int32_t best = SearchNode<Top>(position, depth, context, nullptr, parentBest);
    if (!context.Cut) cache->Store(key, best);
    return best;
}

template <bool Top>
int32_t SearchNode(const Cells& position, int depth, SearchContext& context, int32_t* values,
                   int32_t parentBest) {
    int32_t* work = context.Work;
    const bool shallow = depth <= SubtreeCache::kDeepest;
    if (shallow) context.Entered |= 1u << depth;
    int32_t best = kNoBound;
    for (int k = 0; k < kPitsPerRow; ++k) {
        work[depth] = k;
        Cells c;
        int32_t value = DecidedValue<Top>(position, k, depth, c);
        if (value == kUndecided) {
            // A mover that has emptied its own row is followed one ply
            // further. Below four plies a reply needs only beat this node's
            // best so far; the root needs every value exactly.
            const int next = depth == 1 ? 1 : depth - 1;
            const int32_t bound =
                values == nullptr && next <= SubtreeCache::kDeepest ? best : kNoBound;
            const int32_t m = BestValue<!Top>(c, next, context, bound);
            if (stopflag) return best;
            value = MoveValue<Top>(m, c);
            if (depth == 4 && pumpmessages()) {
                if (values != nullptr) values[k] = value;
                return best;
            }
        }
        if (values != nullptr) values[k] = value;
        if (value > best) best = value;
        // The parent values this node at -(best, or best - 1 beyond a win).
        if (parentBest != kNoBound && shallow && best > kStarves &&
            context.Entered == SearchContext::kAllShallow &&
            -(best > kWinBound ? best - 1 : best) <= parentBest && k < kPitsPerRow - 1) {
            work[depth] = kPitsPerRow - 1;  // where the whole loop would leave it
            context.Cut = true;
            return best;
        }
    }
    context.Cut = false;
    return best;
}

}  // namespace

void searchmoves(const Board& board, int32_t values[6], int depth, int32_t* work) {
    // Shallower searches end before a cache would pay for itself; without the
    // memory for one the search is the same, only slower.
    std::unique_ptr<SubtreeCache> cache;
    if (depth > SubtreeCache::kDeepest) cache.reset(new (std::nothrow) SubtreeCache);
    SearchContext context{work, cache.get()};
    SearchNode<true>(ToCells(board), depth, context, values, kNoBound);
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
        if (sow(copy, pit).Bottom == 0)
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
