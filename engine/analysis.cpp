#include "engine/analysis.h"

#include <algorithm>

#include "engine/exact_search.h"
#include "engine/pump.h"
#include "engine/search.h"
#include "engine/sow.h"
#include "engine/values.h"

namespace zeko::engine {

namespace {

// The analysis dialog reads the progress from the work array: base 6 during an
// analysis, base 7 during a main line, whose searches each mark their end with
// a 6 in their own element.
constexpr int kAnalysisProgressBase = 6;
constexpr int kLineProgressBase = 7;
constexpr int32_t kSearchDone = kPitsPerRow;
// Where the loop over the six moves leaves the element of every depth that the
// full search enters.
constexpr int32_t kLastMove = kPitsPerRow - 1;

int FirstBest(const int32_t values[6]) {
    int best = 0;
    for (int k = 1; k < kPitsPerRow; ++k) {
        if (values[k] > values[best]) best = k;
    }
    return best;
}

int32_t Encode(int32_t value) {
    if (value == kEmptyPit || value == kStarves) return kCodeIllegal;
    if (value > kWinBound) return kCodeWin + (kWinNow + 1) - value;
    if (value < -kWinBound) return kCodeLoss + kWinNow + value;
    return value;
}

}  // namespace

int32_t analyze(const Board& board, int depth, int32_t values[6], int32_t* work,
                TranspositionTable* table) {
    if (depth < 1) return 0;
    stopflag = 0;
    // The search moves cells 6-11, so the side of cells 0-5 is turned there.
    const Board turned = rotateboard(board);
    int32_t given[kWorkSize];
    std::copy(work, work + depth + 1, given);
    ExactSearch search(table, work, kAnalysisProgressBase);
    search.ValueMoves(turned, depth, values);
    if (!stopflag) {
        const int lowest = ExactSearch::LowestWorkElement(turned, depth);
        for (int d = 1; d <= depth; ++d)
            work[d] = d >= lowest ? kLastMove : given[d];
    }
    bool anyPlayable = false;
    for (int k = 0; k < kPitsPerRow; ++k) {
        if (values[k] != kEmptyPit && values[k] != kStarves) anyPlayable = true;
    }
    // When every move starves the opponent, those moves are the legal ones and
    // each ends the game at once.
    if (!anyPlayable) {
        for (int k = 0; k < kPitsPerRow; ++k) {
            if (values[k] == kStarves) values[k] = kWinNow;
        }
    }
    const int best = FirstBest(values);
    for (int k = 0; k < kPitsPerRow; ++k)
        values[k] = Encode(values[k]);
    return best;
}

int32_t findline(const Board& board, int plies, int first, int32_t* line, int32_t* work,
                 TranspositionTable* table) {
    stopflag = 0;
    // The side to move always owns cells 6-11 of the copy.
    Board copy = rotateboard(board);
    int32_t given[kWorkSize];
    std::copy(work, work + plies, given);
    ExactSearch search(table, work, kLineProgressBase);
    int lastSearched = plies;  // the depth of the last search of the line
    int lowest = plies;        // the lowest element any of them writes
    int32_t count = 0;
    int pit = first;
    for (int left = plies;;) {
        line[count] = count % 2 == 0 ? pit : pit + kPitsPerRow;
        ++count;
        if (--left == 0 || stopflag) break;
        sow(copy, pit + kPitsPerRow);
        if (copy[kTopStore] > kWinningStore || BottomRowStones(copy) == 0) break;
        copy = rotateboard(copy);
        pit = search.BestPit(copy, left);
        if (stopflag) continue;
        work[left] = kSearchDone;
        lastSearched = left;
        lowest = std::min(lowest, ExactSearch::LowestWorkElement(copy, left));
    }
    if (!stopflag) {
        for (int d = 1; d < plies; ++d)
            work[d] = d >= lastSearched ? kSearchDone : d >= lowest ? kLastMove : given[d];
    }
    return count;
}

}  // namespace zeko::engine
