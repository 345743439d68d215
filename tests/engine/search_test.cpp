// The search: findmove's shortcuts and depth schedule, and the values that
// searchmoves gives the top half's six moves.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

#include "engine/board.h"
#include "engine/search.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using zeko::testing::makeBoard;

// Boards below read: cells 0-5 (bottom row), 6-11 (top row, the side to move),
// top store, bottom store.

// A level whose full search would run for many seconds on the positions below;
// the shortcuts must answer without it.
constexpr int kDeepLevel = 15;

struct ShortcutCase {
    std::string name;
    Board board;
    int32_t pit;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const ShortcutCase& c, std::ostream* os) {
    *os << c.name;
}

class FindmoveShortcut : public ::testing::TestWithParam<ShortcutCase> {};

TEST_P(FindmoveShortcut, AnswersWithoutDeepSearch) {
    const ShortcutCase& c = GetParam();
    EXPECT_EQ(findmove(c.board, 1), c.pit);
    EXPECT_EQ(findmove(c.board, 9), c.pit);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(findmove(c.board, kDeepLevel), c.pit);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 0.5) << "a full search ran";
}

const ShortcutCase kShortcutCases[] = {
    {"NoStones", makeBoard({4, 4, 4, 4, 4, 4, 0, 0, 0, 0, 0, 0, 10, 14}), 6},
    {"SinglePit", makeBoard({3, 4, 2, 5, 1, 3, 0, 0, 0, 12, 0, 0, 9, 9}), 9},
    // Cell 11 takes the bottom half's last stones, but it is the only move.
    {"SinglePitThatStarves", makeBoard({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 23, 23}), 11},
    // Cells 10 (11, 0) and 11 (0) both take cell 0 at 2, the last stones. Every
    // move starves: the highest pit is played, not the first.
    {"AllStarveTakesHighest", makeBoard({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 22, 22}), 11},
    {"AllStarveOpponentEmpty", makeBoard({0, 0, 0, 0, 0, 0, 1, 0, 3, 0, 0, 0, 22, 22}), 8},
    // Cells 10 and 11 starve; cell 6 (15 stones) is the one move that feeds.
    {"SingleFeedingPit", makeBoard({1, 0, 0, 0, 0, 0, 15, 0, 0, 0, 2, 1, 14, 15}), 6},
    // Cells 9 (10, 11, 0, 1) and 11 (0, 1) both take cells 1 and 0 at 3 and 2:
    // 21 + 5 in the store with bottom stones left. The first is played.
    {"QuickPassWin", makeBoard({1, 2, 3, 1, 2, 1, 3, 2, 1, 4, 2, 2, 21, 3}), 9},
    // The quick pass plays the first pit valued 500 or more at one ply, and a
    // plain store lead can get there: cell 6 (into 7) leaves 24 against 0, 480,
    // plus an evaluation of 29 (own -5, the bottom's two single stones -18 and
    // four empty pits +52). Cell 11 would win outright (cell 0 taken at 2).
    {"QuickPassTakesFirstAtThreshold", makeBoard({1, 1, 0, 0, 0, 0, 1, 0, 20, 0, 0, 1, 24, 0}), 6},
};

INSTANTIATE_TEST_SUITE_P(Cases, FindmoveShortcut, ::testing::ValuesIn(kShortcutCases),
                         [](const auto& test) { return test.param.name; });

struct DepthCase {
    int stored;
    int extra;  // plies on top of the level
};

void PrintTo(const DepthCase& c, std::ostream* os) {
    *os << c.stored << " stored";
}

class ScheduledDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(ScheduledDepth, GrowsAsStonesLeaveTheBoard) {
    const DepthCase& c = GetParam();
    Board b{};
    b[kTopStore] = c.stored / 2;
    b[kBottomStore] = c.stored - c.stored / 2;
    for (const int level : {1, 5, 9}) {
        EXPECT_EQ(searchdepth(b, level), level + c.extra)
            << "level " << level << ", " << 48 - c.stored << " stones left";
    }
}

INSTANTIATE_TEST_SUITE_P(StonesStored, ScheduledDepth,
                         ::testing::Values(DepthCase{0, 0}, DepthCase{27, 0}, DepthCase{28, 1},
                                           DepthCase{33, 1}, DepthCase{34, 2}, DepthCase{37, 2},
                                           DepthCase{38, 3}, DepthCase{40, 3}, DepthCase{41, 4},
                                           DepthCase{47, 4}, DepthCase{48, 4}));

TEST(SearchDepthSchedule, LevelsAtTheEnds) {
    EXPECT_EQ(searchdepth(kStartBoard, 1), 1);
    const Board sevenLeft = makeBoard({1, 0, 1, 0, 1, 0, 1, 1, 1, 1, 0, 0, 20, 21});
    EXPECT_EQ(searchdepth(sevenLeft, 1), 5);
    EXPECT_EQ(searchdepth(sevenLeft, 9), 13);
}

TEST(FindmoveChoice, PlaysTheScheduledDepth) {
    // 7 stones left. At 5 plies the values are -14 -14 -14 -8 (cell 9 best);
    // at 6 plies -11 -11 -17 -11 and at 13 plies -14 -14 -20 -14 (cell 6, the
    // first of equal values).
    const Board b = makeBoard({1, 0, 1, 0, 1, 0, 1, 1, 1, 1, 0, 0, 20, 21});
    EXPECT_EQ(findmove(b, 1), 9);
    EXPECT_EQ(findmove(b, 2), 6);
    EXPECT_EQ(findmove(b, 9), 6);
}

TEST(FindmoveChoice, TiesGoToTheLowestPit) {
    // Cells 6 and 10 both lose at once (the bottom half, at 24, captures after
    // either), so both are worth -514; cell 6 is chosen.
    const Board b = makeBoard({0, 0, 0, 0, 2, 2, 1, 0, 0, 0, 1, 0, 18, 24});
    EXPECT_EQ(findmove(b, 1), 6);
    EXPECT_EQ(findmove(b, 3), 6);
}

TEST(FindmoveChoice, StartPositionAtLevelOne) {
    // One ply: cell 6 is worth -1, the best of -1 -5 -7 -11 -13 -13.
    EXPECT_EQ(findmove(kStartBoard, 1), 6);
}

// searchmoves. kAny marks a value the case does not pin down.
constexpr int32_t kAny = INT32_MIN;

struct ValuesCase {
    std::string name;
    Board board;
    int depth;
    int32_t values[6];
};

void PrintTo(const ValuesCase& c, std::ostream* os) {
    *os << c.name;
}

class SearchmovesValues : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(SearchmovesValues, Searchmoves) {
    const ValuesCase& c = GetParam();
    int32_t values[6] = {7, 7, 7, 7, 7, 7};
    int32_t work[kWorkSize] = {};
    searchmoves(c.board, values, c.depth, work);
    for (int k = 0; k < 6; ++k) {
        if (c.values[k] != kAny) {
            EXPECT_EQ(values[k], c.values[k]) << "pit " << 6 + k;
        }
    }
}

// Cells 10 and 11 take cell 0 at 2 and pass 24 in the store, but leave the
// bottom half nothing: -1000 comes first. With cell 1 holding a stone the
// same moves win at once.
const Board kStarvingPastTwentyFour = makeBoard({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 23, 21});
const Board kWinNow = makeBoard({1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 23, 20});
// Cells 6 (into 7) and 10 (into 11) can both be answered by a capture of the
// bottom half, whose store is at 24: cell 5 (6, 7) takes 7 at 2 after the
// first, cell 4 (5, 6) takes 6 at 2 after the second.
const Board kLoseInOne = makeBoard({0, 0, 0, 0, 2, 2, 1, 0, 0, 0, 1, 0, 18, 24});
// The top half at 24: cell 6 (into 7) forces the bottom's only stone from 3
// to 4, and cell 11 (0-4) then takes cell 4 at 2.
const Board kWinInTwo = makeBoard({0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 5, 24, 17});
// The top half's only move, 8 into 9, hands the bottom half the position
// above with the sides turned: it wins with its second move.
const Board kLoseInTwo = makeBoard({1, 0, 0, 0, 0, 5, 0, 0, 1, 0, 0, 0, 17, 24});
// Cell 11 takes cell 0 at 2 and keeps cell 6's stone, which every bottom
// reply (cell 4: 5, 6; cell 5: 6) then takes at 2, leaving the top half
// without stones: -514 with 22 in the store, -250 with exactly 24.
const Board kRepliesStarveBelow24 = makeBoard({1, 0, 0, 0, 2, 1, 1, 0, 0, 0, 0, 1, 20, 22});
const Board kRepliesStarveAt24 = makeBoard({1, 0, 0, 0, 2, 1, 1, 0, 0, 0, 0, 1, 22, 20});
// Cell 11 (into 0) empties the top row. Even at one ply the bottom's replies
// are searched: both stay in the bottom row and starve the top half, -514.
const Board kExtensionStarved = makeBoard({0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 22, 23});
// Here the reply cell 5 (6, 7) feeds: its leaf value is the end-phase
// evaluation 3 x (5 - 9) plus 20 for the bottom's store lead, 8; cell 0's
// reply starves. The top half gets -8.
const Board kExtensionLeaf = makeBoard({0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1, 22, 23});
// Cell 11 makes cell 0 hold 4, which is not taken (21 + 4 would win). Both
// moves are leaves in the end phase (42 stored, no store lead): cell 11: own
// col 0 with 1 -> 5 against 11 + 4; cell 6 (into 7): own col 1 -> 4 against
// 10 + 4. 3 x -10 each.
const Board kMakesFour = makeBoard({3, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 21, 21});
// Two leaves in the end phase (41 stored), top store 20 against 21 (-20):
// cell 9 (10, 11, 0): own 1, opponent 5 + 4 + 0: 3 x (1 - 9) = -24, -44;
// cell 11 (0): own cell 9 at 3 counts 0: 3 x (0 - 9) = -27, -47.
const Board kEndLeaves = makeBoard({0, 1, 0, 0, 2, 0, 0, 0, 0, 3, 0, 1, 20, 21});

const ValuesCase kValuesCases[] = {
    // Each move leaves 5 stones in four pits of its row and one empty pit; the
    // evaluations are -1 -5 -7 -11 -13 -13 with no store lead.
    {"StartOnePly", kStartBoard, 1, {-1, -5, -7, -11, -13, -13}},
    {"EndPhaseLeaves", kEndLeaves, 1, {-2000, -2000, -2000, -44, -2000, -47}},
    {"FourIsNotTaken", kMakesFour, 1, {-30, -2000, -2000, -2000, -2000, -30}},
    {"StarvingBeforeWinOnePly",
     kStarvingPastTwentyFour,
     1,
     {-2000, -2000, -2000, -2000, -1000, -1000}},
    {"StarvingBeforeWinThreePlies",
     kStarvingPastTwentyFour,
     3,
     {-2000, -2000, -2000, -2000, -1000, -1000}},
    {"WinNowOnePly", kWinNow, 1, {-2000, -2000, -2000, -2000, 515, 515}},
    {"WinNowFourPlies", kWinNow, 4, {-2000, -2000, -2000, -2000, 515, 515}},
    {"LoseInOneTwoPlies", kLoseInOne, 2, {-514, -2000, -2000, -2000, -514, -2000}},
    {"LoseInOneFivePlies", kLoseInOne, 5, {-514, -2000, -2000, -2000, -514, -2000}},
    {"WinInTwoThreePlies", kWinInTwo, 3, {514, -2000, -2000, -2000, -2000, kAny}},
    {"WinInTwoFivePlies", kWinInTwo, 5, {514, -2000, -2000, -2000, -2000, kAny}},
    {"LoseInTwoFourPlies", kLoseInTwo, 4, {-2000, -2000, -513, -2000, -2000, -2000}},
    {"LoseInTwoSixPlies", kLoseInTwo, 6, {-2000, -2000, -513, -2000, -2000, -2000}},
    {"RepliesStarveBelow24", kRepliesStarveBelow24, 2, {kAny, -2000, -2000, -2000, -2000, -514}},
    {"RepliesStarveBelow24Deeper",
     kRepliesStarveBelow24,
     3,
     {kAny, -2000, -2000, -2000, -2000, -514}},
    {"RepliesStarveAt24", kRepliesStarveAt24, 2, {kAny, -2000, -2000, -2000, -2000, -250}},
    {"ExtensionSeesStarvation", kExtensionStarved, 1, {-2000, -2000, -2000, -2000, -2000, -514}},
    {"ExtensionReachesLeaf", kExtensionLeaf, 1, {-2000, -2000, -2000, -2000, -2000, -8}},
    {"ExtensionSameAtTwoPlies", kExtensionLeaf, 2, {-2000, -2000, -2000, -2000, -2000, -8}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SearchmovesValues, ::testing::ValuesIn(kValuesCases),
                         [](const auto& test) { return test.param.name; });

TEST(SearchHorizon, WinsAndLossesNeedEnoughPlies) {
    // Too shallow to see the forced ending, both give plain heuristic values.
    int32_t values[6];
    int32_t work[kWorkSize] = {};
    searchmoves(kWinInTwo, values, 2, work);
    EXPECT_GT(values[0], -500);
    EXPECT_LT(values[0], 500);
    searchmoves(kLoseInTwo, values, 3, work);
    EXPECT_GT(values[2], -500);
    EXPECT_LT(values[2], 500);
    // One ply: the bottom half's capture is not looked at yet.
    searchmoves(kLoseInOne, values, 1, work);
    EXPECT_GT(values[0], -500);
    EXPECT_GT(values[4], -500);
}

TEST(SearchWork, EachDepthRecordsItsMoveInItsOwnElement) {
    constexpr int32_t kUnset = -7;
    int32_t values[6];
    for (const int depth : {1, 2, 3, 4}) {
        int32_t work[8];
        for (int32_t& w : work)
            w = kUnset;
        searchmoves(kStartBoard, values, depth, work);
        // Every node looks at all six moves, so the last one seen at each
        // depth is move 5; element 0 and those beyond the depth stay.
        EXPECT_EQ(work[0], kUnset) << "depth " << depth;
        for (int d = 1; d <= depth; ++d)
            EXPECT_EQ(work[d], 5) << "depth " << depth;
        for (int d = depth + 1; d < 8; ++d)
            EXPECT_EQ(work[d], kUnset) << "depth " << depth;
    }
}

TEST(SearchWork, ExtensionStaysAtDepthOne) {
    constexpr int32_t kUnset = -7;
    int32_t values[6];
    int32_t work[4] = {kUnset, kUnset, kUnset, kUnset};
    searchmoves(kExtensionLeaf, values, 1, work);
    EXPECT_EQ(work[0], kUnset);
    EXPECT_EQ(work[1], 5);
    EXPECT_EQ(work[2], kUnset);
}

}  // namespace
}  // namespace zeko::engine
