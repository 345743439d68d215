#include "engine/analysis.h"

#include "engine/pump.h"
#include "engine/search.h"
#include "engine/sow.h"
#include "engine/values.h"

namespace zeko::engine {

namespace {

int firstBest(const int32_t values[6]) {
    int best = 0;
    for (int k = 1; k < kPitsPerRow; ++k) {
        if (values[k] > values[best]) best = k;
    }
    return best;
}

int32_t encode(int32_t value) {
    if (value == kEmptyPit || value == kStarves) return kCodeIllegal;
    if (value > kWinBound) return kCodeWin + (kWinNow + 1) - value;
    if (value < -kWinBound) return kCodeLoss + kWinNow + value;
    return value;
}

}  // namespace

int32_t analyze(const Board& board, int depth, int32_t values[6], int32_t* work) {
    if (depth < 1) return 0;
    stopflag = 0;
    // The search moves cells 6-11, so the side of cells 0-5 is turned there.
    searchmoves(rotateboard(board), values, depth, work);
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
    const int best = firstBest(values);
    for (int k = 0; k < kPitsPerRow; ++k)
        values[k] = encode(values[k]);
    return best;
}

int32_t findline(const Board& board, int plies, int first, int32_t* line, int32_t* work) {
    stopflag = 0;
    // The side to move always owns cells 6-11 of the copy.
    Board copy = rotateboard(board);
    int32_t values[kPitsPerRow] = {kEmptyPit, kEmptyPit, kEmptyPit,
                                   kEmptyPit, kEmptyPit, kEmptyPit};
    int32_t count = 0;
    int pit = first;
    for (int left = plies;;) {
        line[count] = count % 2 == 0 ? pit : pit + kPitsPerRow;
        ++count;
        if (--left == 0 || stopflag) return count;
        sow(copy, pit + kPitsPerRow);
        if (copy[kTopStore] > kWinningStore || bottomRowStones(copy) == 0) return count;
        copy = rotateboard(copy);
        searchmoves(copy, values, left, work);
        work[left] = kPitsPerRow;  // this ply's search has finished
        pit = firstBest(values);
    }
}

}  // namespace zeko::engine
