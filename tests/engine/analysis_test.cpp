// Analysis of the bottom half's moves and the principal line. Both look at the
// position from the side of cells 0-5, whatever the engine turns inside.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>

#include "engine/analysis.h"
#include "engine/board.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using zeko::testing::makeBoard;

// Boards below read: cells 0-5 (bottom row, the side analysed), 6-11 (top
// row), top store, bottom store.

constexpr int32_t kUnset = -77;
constexpr int32_t kPlain = INT32_MIN;  // a heuristic score: -500..500

// Cell 5 takes cell 6 at 3: 23 + 3 wins with a top stone left. Cell 1 stays in
// its row. Pits 0, 2, 3 and 4 are empty.
const Board kWinsAtOnce = makeBoard({0, 3, 0, 0, 0, 1, 2, 0, 1, 0, 0, 0, 18, 23});
// The top row is empty: cells 1 and 3 both starve it, and are the only moves.
const Board kAllStarve = makeBoard({0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 23, 23});
// Cell 5 takes cell 6 at 2, the top half's last stone, while cell 4 feeds.
const Board kOneStarves = makeBoard({0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 22, 23});
// The top half, at 24, captures after either move: after cell 0 (into 1)
// cell 11 (0, 1) takes cell 1 at 2; after cell 4 (into 5) cell 10 (11, 0)
// takes cell 0 at 2.
const Board kLosesInOne = makeBoard({1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 2, 2, 24, 18});
// At 24: cell 0 (into 1) forces the top's only stone from 9 to 10, and cell 5
// (6-10) then takes cell 10 at 2.
const Board kWinsInTwo = makeBoard({1, 0, 0, 0, 0, 5, 0, 0, 0, 1, 0, 0, 17, 24});
// The only move, 2 into 3, leaves the top half the winning line above.
const Board kLosesInTwo = makeBoard({0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 5, 24, 17});
// Cell 5 takes cell 6 at 2 and keeps cell 0's stone, which both top replies
// (cell 10: 11, 0; cell 11: 0) take at 2, leaving the bottom half nothing:
// -514 with 22 in the store, -250 with exactly 24.
const Board kRepliesStarveBelow24 = makeBoard({1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 2, 1, 22, 20});
const Board kRepliesStarveAt24 = makeBoard({1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 2, 1, 20, 22});

struct CodeCase {
    std::string name;
    Board board;
    int depth;
    int32_t best;
    int32_t codes[6];
};

// Failures name the case rather than dump its bytes.
void PrintTo(const CodeCase& c, std::ostream* os) {
    *os << c.name;
}

class AnalyzeCoding : public ::testing::TestWithParam<CodeCase> {};

TEST_P(AnalyzeCoding, CodesEveryPit) {
    const CodeCase& c = GetParam();
    int32_t values[6] = {kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
    int32_t work[40] = {};
    const Board before = c.board;
    EXPECT_EQ(analyze(c.board, c.depth, values, work), c.best);
    for (int k = 0; k < 6; ++k) {
        if (c.codes[k] == kPlain) {
            EXPECT_GE(values[k], -500) << "pit " << k;
            EXPECT_LE(values[k], 500) << "pit " << k;
        } else {
            EXPECT_EQ(values[k], c.codes[k]) << "pit " << k;
        }
    }
    EXPECT_EQ(c.board, before);
}

const CodeCase kCodeCases[] = {
    // The best pit is taken before encoding: the empty pit 0 (16384) must not
    // beat the win (8193) or the plain score.
    {"WinInOneDepth1", kWinsAtOnce, 1, 5, {16384, kPlain, 16384, 16384, 16384, 8193}},
    {"WinInOneDepth2", kWinsAtOnce, 2, 5, {16384, kPlain, 16384, 16384, 16384, 8193}},
    {"WinInOneDepth4", kWinsAtOnce, 4, 5, {16384, kPlain, 16384, 16384, 16384, 8193}},
    // Every move starves: those are the legal ones, shown as wins in one.
    {"AllStarve", kAllStarve, 3, 1, {16384, 8193, 16384, 8193, 16384, 16384}},
    {"AllStarveDepth1", kAllStarve, 1, 1, {16384, 8193, 16384, 8193, 16384, 16384}},
    {"StarvingWithAlternative", kOneStarves, 1, 4, {16384, 16384, 16384, 16384, kPlain, 16384}},
    {"WinInTwo", kWinsInTwo, 3, 0, {8194, 16384, 16384, 16384, 16384, kPlain}},
    // Losses are 4096 + n, n the opponent's winning move: -514 gives 4097.
    {"LossInOne", kLosesInOne, 2, 0, {4097, 16384, 16384, 16384, 4097, 16384}},
    {"LossInTwo", kLosesInTwo, 4, 2, {16384, 16384, 4098, 16384, 16384, 16384}},
    {"RepliesStarveBelow24",
     kRepliesStarveBelow24,
     2,
     0,
     {kPlain, 16384, 16384, 16384, 16384, 4097}},
    // -250 is a plain score.
    {"RepliesStarveAt24", kRepliesStarveAt24, 2, 0, {kPlain, 16384, 16384, 16384, 16384, -250}},
    // Symmetric opening: the same one-ply values as the top half's.
    {"StartDepth1", kStartBoard, 1, 0, {-1, -5, -7, -11, -13, -13}},
};

INSTANTIATE_TEST_SUITE_P(Cases, AnalyzeCoding, ::testing::ValuesIn(kCodeCases),
                         [](const auto& test) { return test.param.name; });

TEST(Analyze, StartPositionHasNoIllegalPit) {
    for (int depth = 1; depth <= 5; ++depth) {
        int32_t values[6] = {kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
        int32_t work[8] = {};
        const int32_t best = analyze(kStartBoard, depth, values, work);
        EXPECT_GE(best, 0);
        EXPECT_LE(best, 5);
        for (int k = 0; k < 6; ++k) {
            EXPECT_NE(values[k], kCodeIllegal) << "depth " << depth << ", pit " << k;
            EXPECT_NE(values[k], kUnset) << "depth " << depth << ", pit " << k;
        }
        // The best pit carries the greatest plain score.
        EXPECT_EQ(values[best], *std::max_element(values, values + 6)) << "depth " << depth;
    }
}

TEST(Analyze, DepthBelowOneDoesNothing) {
    for (const int depth : {0, -1, -100}) {
        int32_t values[6] = {kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
        int32_t work[4] = {kUnset, kUnset, kUnset, kUnset};
        EXPECT_EQ(analyze(kWinsAtOnce, depth, values, work), 0);
        for (const int32_t v : values)
            EXPECT_EQ(v, kUnset);
        for (const int32_t w : work)
            EXPECT_EQ(w, kUnset);
    }
}

TEST(Analyze, WorkHoldsElementsOneToDepth) {
    int32_t values[6];
    int32_t work[6] = {kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
    analyze(kStartBoard, 3, values, work);
    EXPECT_EQ(work[0], kUnset);
    EXPECT_EQ(work[1], 5);
    EXPECT_EQ(work[2], 5);
    EXPECT_EQ(work[3], 5);
    EXPECT_EQ(work[4], kUnset);
}

// findline.

TEST(PrincipalLine, OnePlyIsJustTheFirstMove) {
    int32_t line[4] = {kUnset, kUnset, kUnset, kUnset};
    int32_t work[4] = {kUnset, kUnset, kUnset, kUnset};
    EXPECT_EQ(findline(kStartBoard, 1, 3, line, work), 1);
    EXPECT_EQ(line[0], 3);
    EXPECT_EQ(line[1], kUnset);
    for (const int32_t w : work)
        EXPECT_EQ(w, kUnset) << "no search runs";
}

TEST(PrincipalLine, AlternatesRowsAndMarksEachFinishedSearch) {
    // No game can end within five plies of the start.
    int32_t line[8];
    int32_t work[8];
    std::fill(line, line + 8, kUnset);
    std::fill(work, work + 8, kUnset);
    const Board before = kStartBoard;
    EXPECT_EQ(findline(kStartBoard, 5, 2, line, work), 5);
    EXPECT_EQ(line[0], 2);
    for (int i = 1; i < 5; ++i) {
        const int32_t lowest = i % 2 == 0 ? 0 : 6;
        EXPECT_GE(line[i], lowest) << "entry " << i;
        EXPECT_LE(line[i], lowest + 5) << "entry " << i;
    }
    EXPECT_EQ(line[5], kUnset);
    // Searches of 4, 3, 2 and 1 plies, each marked with 6 when done.
    EXPECT_EQ(work[0], kUnset);
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(work[r], 6) << "element " << r;
    EXPECT_EQ(work[5], kUnset);
    EXPECT_EQ(kStartBoard, before);
}

TEST(PrincipalLine, ForcedLineEndsWithTheWin) {
    // 2 into 3; the top half's best is cell 6 (a win in two); the bottom's only
    // stone moves 3 into 4; cell 11 (0-4) takes cell 4 at 2 and passes 24.
    int32_t line[8];
    int32_t work[8];
    std::fill(line, line + 8, kUnset);
    std::fill(work, work + 8, kUnset);
    EXPECT_EQ(findline(kLosesInTwo, 8, 2, line, work), 4);
    EXPECT_EQ(line[0], 2);
    EXPECT_EQ(line[1], 6);
    EXPECT_EQ(line[2], 3);
    EXPECT_EQ(line[3], 11);
    for (int i = 4; i < 8; ++i)
        EXPECT_EQ(line[i], kUnset) << "entry " << i;
    // Searches of 7, 6 and 5 plies ran; the line ended before the fourth.
    EXPECT_EQ(work[7], 6);
    EXPECT_EQ(work[6], 6);
    EXPECT_EQ(work[5], 6);
}

TEST(PrincipalLine, EachReplySearchedAsDeepAsPliesLeft) {
    // Cell 3 (into 4) leaves 7 stones with the top half to move, a position
    // where 5 plies choose cell 9 (-8 against -14) and 4 plies cell 6.
    const Board b = makeBoard({1, 0, 1, 1, 0, 0, 1, 1, 1, 1, 0, 0, 20, 21});
    int32_t line[6];
    int32_t work[6];
    EXPECT_EQ(findline(b, 6, 3, line, work), 6);
    EXPECT_EQ(line[0], 3);
    EXPECT_EQ(line[1], 9);
    EXPECT_EQ(findline(b, 5, 3, line, work), 5);
    EXPECT_EQ(line[1], 6);
}

TEST(PrincipalLine, SecondMoveWinsForTheOtherSide) {
    int32_t line[6];
    int32_t work[6];
    std::fill(line, line + 6, kUnset);
    std::fill(work, work + 6, kUnset);
    EXPECT_EQ(findline(kLosesInOne, 6, 0, line, work), 2);
    EXPECT_EQ(line[0], 0);
    EXPECT_EQ(line[1], 11);
    for (int i = 2; i < 6; ++i)
        EXPECT_EQ(line[i], kUnset) << "entry " << i;
}

TEST(PrincipalLine, EndsAfterAWinningOrStarvingFirstMove) {
    int32_t line[4] = {kUnset, kUnset, kUnset, kUnset};
    int32_t work[4] = {kUnset, kUnset, kUnset, kUnset};
    EXPECT_EQ(findline(kWinsAtOnce, 4, 5, line, work), 1);
    EXPECT_EQ(line[0], 5);
    EXPECT_EQ(line[1], kUnset);
    EXPECT_EQ(findline(kAllStarve, 4, 1, line, work), 1);
    EXPECT_EQ(line[0], 1);
    EXPECT_EQ(line[1], kUnset);
    for (const int32_t w : work)
        EXPECT_EQ(w, kUnset) << "no search runs";
}

}  // namespace
}  // namespace zeko::engine
