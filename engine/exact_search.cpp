#include "engine/exact_search.h"

#include <algorithm>
#include <cstring>

#include "engine/cell_moves.h"
#include "engine/pump.h"
#include "engine/values.h"

// Why alpha-beta gives the full search's values exactly. A move that goes on
// searching is worth -g(m), m the greatest reply value, g(m) = m - 1 above 500
// and m otherwise, save for m = -1000 (every reply leaves the mover without
// stones). g is monotone, so a window on the move's value becomes a window on
// m (Node). The -1000 case cannot be told from a bound of -1000; it is decided
// by generating the replies, always exact. The value of a position depends on
// its fourteen cells and the depth alone (the stores decide phase, store lead,
// wins and the 24-stone case), and leaf values are not clamped, so the table's
// entries need no adjustment by ply and hold across calls.

namespace zeko::engine {

namespace {

using Table = TranspositionTable;

// Beyond every value, also after a few steps of the window mapping below.
constexpr int32_t kInfinity = 1 << 20;

// The window (low, high) on a move's value -g(m) as a window on m: the
// greatest m whose move is still worth high or more, and the least m whose
// move is worth low or less. g(500) = g(501), so 500 maps to 501 one way.
constexpr int32_t ReplyFloor(int32_t high) {
    const int32_t y = -high;
    return y < kWinBound ? y : y + 1;
}
constexpr int32_t ReplyCeiling(int32_t low) {
    const int32_t y = -low;
    return y <= kWinBound ? y : y + 1;
}

// A look at the message queue about every 4096 positions: a millisecond or
// less of search.
constexpr int64_t kNodesPerLook = 1 << 12;

// Nodes with fewer plies left are cheaper to search than to look up.
constexpr int kShallowestKept = 4;

// From this pass on a root move is first searched in a window this wide on
// each side of its value two passes before.
constexpr int kFirstGuessedPass = 4;
constexpr int32_t kGuessMargin = 5;

// Progress stays below this until the call returns.
constexpr double kMostShown = 0.99;

// Move ordering: the table's move, then the evaluation of the position after
// the move.
constexpr int32_t kTableMoveScore = 1 << 30;

// The longest line of moves that go on searching, up to limit plies, from a
// position: neither empty, nor starving, nor winning. Remembered by position
// and limit, since many orders of moves reach the same positions.
class LineLengths {
  public:
    template <bool Top>
    int Longest(const Cells& position, int limit) {
        using S = Side<Top>;
        if (limit == 0) return 0;
        const Cells key = Table::Key(position, limit, Top);
        Slot& slot = slots_[Hash(key)];
        if (slot.Known && Same(slot.Key, key)) return slot.Length;
        int longest = 0;
        for (int k = 0; k < kPitsPerRow && longest < limit; ++k) {
            if (position[S::kOwn + k] == 0) continue;
            const Cells c = PlayPit<Top>(position, k);
            if (RowEmpty(c, S::kOpponent) || c[S::kOwnStore] > kWinningStore) continue;
            longest = std::max(longest, 1 + Longest<!Top>(c, limit - 1));
        }
        Slot& again = slots_[Hash(key)];
        again = Slot{key, static_cast<int8_t>(longest), true};
        return longest;
    }

  private:
    struct Slot {
        Cells Key;
        int8_t Length;
        bool Known;
    };
    static constexpr int kSlotBits = 10;

    static bool Same(const Cells& a, const Cells& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
    static size_t Hash(const Cells& key) {
        uint64_t halves[2];
        std::memcpy(halves, &key, sizeof halves);
        const uint64_t mixed =
            (halves[0] * 0x9E3779B97F4A7C15ull) ^ (halves[1] * 0xC2B2AE3D27D4EB4Full);
        return static_cast<size_t>(mixed >> (64 - kSlotBits));
    }

    Slot slots_[size_t{1} << kSlotBits] = {};
};

}  // namespace

ExactSearch::ExactSearch(TranspositionTable* table, int32_t* work, int progressBase)
    : table_(table), work_(work), progressBase_(progressBase), nextLook_(kNodesPerLook) {}

int ExactSearch::LowestWorkElement(const Board& board, int depth) {
    LineLengths lengths;
    return std::max(1, depth - lengths.Longest<true>(ToCells(board), depth - 1));
}

// The greatest move value of the side Top at depth, exact when it lies inside
// (alpha, beta), else a bound beyond the side it lies on (fail-soft).
template <bool Top>
ExactSearch::Outcome ExactSearch::Node(const Cells& position, int depth, int32_t alpha,
                                       int32_t beta) {
    if (++nodes_ == nextLook_) {
        Look();
        if (stopflag) return {0, false};
    }
    const bool kept = table_ != nullptr && depth >= kShallowestKept;
    Cells key{};
    int tableMove = Table::kNoMove;
    if (kept) {
        key = Table::Key(position, depth, Top);
        if (const Table::Entry* entry = table_->Find(key)) {
            const int32_t v = entry->Value;
            // Only an exact -1000 is a position whose every move starves.
            if (entry->ValueBound == Table::kExact) return {v, v == kStarves};
            if (entry->ValueBound == Table::kLower && v >= beta) return {v, false};
            if (entry->ValueBound == Table::kUpper && v <= alpha) return {v, false};
            tableMove = entry->Move;
        }
    }

    // The moves that end their line cost nothing to value; a reply may cut
    // the node short, but a starving one never does: only all of them
    // together make the exact -1000.
    int32_t best = -kInfinity;
    int bestMove = Table::kNoMove;
    Cells children[kPitsPerRow];
    int order[kPitsPerRow];
    int32_t score[kPitsPerRow];
    int searched = 0;
    for (int k = 0; k < kPitsPerRow; ++k) {
        const int32_t value = DecidedValue<Top>(position, k, depth, children[k]);
        if (value == kUndecided) {
            score[k] = k == tableMove ? kTableMoveScore : LeafValue<Top>(children[k]);
            int at = searched++;
            for (; at > 0 && score[order[at - 1]] < score[k]; --at)
                order[at] = order[at - 1];
            order[at] = k;
            continue;
        }
        if (value > best) {
            best = value;
            bestMove = k;
            if (best >= beta && best > kStarves) {
                if (kept) table_->Store(key, best, Table::kLower, bestMove);
                return {best, false};
            }
        }
    }
    if (searched == 0) {
        if (kept) table_->Store(key, best, Table::kExact, bestMove);
        return {best, best == kStarves};
    }

    // A mover that has emptied its own row is followed one ply further.
    const int next = depth == 1 ? 1 : depth - 1;
    for (int i = 0; i < searched; ++i) {
        const int k = order[i];
        const int32_t low = std::max(alpha, best);
        int32_t value;
        if (i == 0) {
            value = MoveValue<Top>(children[k], next, low, beta);
        } else {
            // Whether the move beats the best so far at all, then how much.
            value = MoveValue<Top>(children[k], next, low, low + 1);
            if (!stopflag && value > low && value < beta)
                value = MoveValue<Top>(children[k], next, low, beta);
        }
        if (stopflag) return {0, false};
        if (value > best) {
            best = value;
            bestMove = k;
            if (best >= beta) {
                break;
            }
        }
    }
    if (kept) {
        const Table::Bound bound = best <= alpha  ? Table::kUpper
                                   : best >= beta ? Table::kLower
                                                  : Table::kExact;
        table_->Store(key, best, bound, bestMove);
    }
    return {best, false};
}

// The value of the move of the side Top that led to child, exact inside
// (low, high), else a bound beyond the side it lies on.
template <bool Top>
int32_t ExactSearch::MoveValue(const Cells& child, int depth, int32_t low, int32_t high) {
    const Outcome reply = Node<!Top>(child, depth, ReplyFloor(high), ReplyCeiling(low));
    if (reply.Starved)
        return -(child[Side<Top>::kOwnStore] < kWinningStore ? kStarvedLoss : kStarvedDraw);
    return -(reply.Value > kWinBound ? reply.Value - 1 : reply.Value);
}

// Pit k's value for the top side at depth: exact when above low, else no more
// than low.
int32_t ExactSearch::RootMoveValue(const Cells& root, int depth, int k, int32_t low, int32_t high) {
    using S = Side<true>;
    if (root[S::kOwn + k] == 0) return kEmptyPit;
    const Cells c = PlayPit<true>(root, k);
    if (RowEmpty(c, S::kOpponent)) return kStarves;
    if (c[S::kOwnStore] > kWinningStore) return kWinNow;
    if (depth == 1 && !RowEmpty(c, S::kOwn)) return LeafValue<true>(c);
    return MoveValue<true>(c, depth == 1 ? 1 : depth - 1, low, high);
}

// Pit k's exact value; from kFirstGuessedPass on it is first searched in a
// narrow window around guess, then on the side the value lies.
int32_t ExactSearch::ExactMoveValue(const Cells& root, int depth, int k, int32_t guess) {
    if (depth < kFirstGuessedPass) return RootMoveValue(root, depth, k, -kInfinity, kInfinity);
    const int32_t low = guess - kGuessMargin;
    const int32_t high = guess + kGuessMargin;
    const int32_t value = RootMoveValue(root, depth, k, low, high);
    if (stopflag) return value;
    if (value <= low) return RootMoveValue(root, depth, k, -kInfinity, value + 1);
    if (value >= high) return RootMoveValue(root, depth, k, value - 1, kInfinity);
    return value;
}

void ExactSearch::ValueMoves(const Board& board, int depth, int32_t values[6]) {
    const Cells root = ToCells(board);
    StartRoot(depth);
    // Values alternate with the parity of the depth: a move's value two
    // passes before guesses its value best.
    int32_t last[kPitsPerRow] = {};
    int32_t beforeLast[kPitsPerRow] = {};
    for (int pass = 1; pass <= depth; ++pass) {
        StartPass(pass);
        // The shallower passes only fill the table and order the moves; only
        // the last writes the caller's values.
        int32_t* out = pass == depth ? values : last;
        for (int k = 0; k < kPitsPerRow; ++k) {
            const int32_t guess = beforeLast[k];
            beforeLast[k] = last[k];
            const int32_t value = ExactMoveValue(root, pass, k, guess);
            if (stopflag) return;
            out[k] = value;
        }
    }
}

int ExactSearch::BestPit(const Board& board, int depth) {
    const Cells root = ToCells(board);
    StartRoot(depth);
    int pit = 0;
    int32_t last = 0;
    int32_t beforeLast = 0;
    int firstPass = 1;
    if (table_ != nullptr && depth >= kShallowestKept) {
        if (const Table::Entry* entry = table_->Find(Table::Key(root, depth, true))) {
            if (entry->Move < kPitsPerRow) {
                pit = entry->Move;
                beforeLast = entry->Value;
                firstPass = depth;
            }
        }
    }
    for (int pass = firstPass; pass <= depth; ++pass) {
        StartPass(pass);
        // The last pass's choice first, so that the others need only be
        // compared with it: a lower pit must tie it, a higher one beat it.
        const int first = pit;
        int32_t best = ExactMoveValue(root, pass, first, beforeLast);
        if (stopflag) return pit;
        for (int k = 0; k < kPitsPerRow; ++k) {
            if (k == first) continue;
            const int32_t bar = k < pit ? best - 1 : best;
            const int32_t value = RootMoveValue(root, pass, k, bar, kInfinity);
            if (stopflag) return pit;
            if (value > bar) {
                best = value;
                pit = k;
            }
        }
        beforeLast = last;
        last = best;
    }
    return pit;
}

void ExactSearch::StartRoot(int depth) {
    rootDepth_ = depth;
    rootStart_ = nodes_;
    shown_ = 0;
}

// The next pass costs about as many times the last as the last did its
// predecessor; the passes still to come are estimated so.
void ExactSearch::StartPass(int pass) {
    passBefore_ = lastPass_;
    lastPass_ = pass == 1 ? 0 : nodes_ - passStart_;
    passStart_ = nodes_;
    double growth = 5;
    if (pass > 2 && passBefore_ > 0)
        growth = std::clamp(static_cast<double>(lastPass_) / passBefore_, 2.0, 8.0);
    double passNodes = std::max<double>(lastPass_, 1);
    double rest = 0;
    for (int p = pass; p <= rootDepth_; ++p) {
        passNodes *= growth;
        rest += passNodes;
    }
    estimate_ = static_cast<double>(nodes_ - rootStart_) + rest;
}

void ExactSearch::Look() {
    nextLook_ += kNodesPerLook;
    const double done = static_cast<double>(nodes_ - rootStart_) / estimate_;
    shown_ = std::clamp(done, shown_, kMostShown);
    const int base = progressBase_;
    const int steps = static_cast<int>(shown_ * kPitsPerRow * base * base);
    const int digits[3] = {steps / (base * base), steps / base % base, steps % base};
    for (int i = 0; i < 3 && rootDepth_ - i >= 1; ++i)
        work_[rootDepth_ - i] = digits[i];
    pumpmessages();
}

}  // namespace zeko::engine
