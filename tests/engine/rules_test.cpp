// Move legality, move execution and the end of a game.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ostream>
#include <string>

#include "engine/board.h"
#include "engine/repetition.h"
#include "engine/rules.h"
#include "engine/zeko32.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using zeko::testing::makeBoard;

// Boards below read: cells 0-5 (bottom row), 6-11 (top row), top store, bottom store.

struct LegalityCase {
    std::string name;
    Board board;
    int pit;
    bool opening;
    bool legal;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const LegalityCase& c, std::ostream* os) {
    *os << c.name;
}

class Legality : public ::testing::TestWithParam<LegalityCase> {};

TEST_P(Legality, Checkmove) {
    const LegalityCase& c = GetParam();
    EXPECT_EQ(checkmove(c.board, c.pit, c.opening), c.legal);
}

// Cell 0 with 17 stones puts 2 into cell 6 (4 in all): it feeds the opponent
// but breaks the opening rule. Cell 5 takes cell 6's last stones.
const Board kOpeningAlternative = makeBoard({17, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 14, 14});
// Cell 5 captures the opponent's only stone (1 + 1); cell 0 feeds instead.
const Board kFeedingAlternative = makeBoard({2, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 22, 22});
// The same capture with nothing else to play.
const Board kNoAlternative = makeBoard({0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 23, 23});
// Cell 4 (5, 6) and cell 5 (6) both capture cell 6 at 2.
const Board kAllStarve = makeBoard({0, 0, 0, 0, 2, 1, 1, 0, 0, 0, 0, 0, 22, 22});
// The opponent has nothing left; no move can change that.
const Board kOpponentEmpty = makeBoard({1, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 24});
// Cell 1 (2-6) captures cell 6 at 2; the feeding move is the later cell 5
// (6, 7, 8).
const Board kLaterAlternative = makeBoard({0, 5, 0, 0, 0, 3, 1, 0, 0, 0, 0, 0, 19, 20});

const LegalityCase kLegalityCases[] = {
    // Cells 0 and 1 keep their 4 stones in the mover's row and leave cell 6 at 4.
    {"OpeningCell0", kStartBoard, 0, true, false},
    {"OpeningCell1", kStartBoard, 1, true, false},
    {"OpeningCell2", kStartBoard, 2, true, true},
    {"OpeningCell3", kStartBoard, 3, true, true},
    {"OpeningCell4", kStartBoard, 4, true, true},
    {"OpeningCell5", kStartBoard, 5, true, true},
    {"StartCell0", kStartBoard, 0, false, true},
    {"StartCell1", kStartBoard, 1, false, true},
    {"StartCell5", kStartBoard, 5, false, true},
    // The opening rule looks at cell 6 after the move, however it got there.
    {"OpeningCell6BecomesFour", makeBoard({0, 0, 0, 0, 0, 1, 3, 2, 0, 0, 0, 0, 21, 21}), 5, true,
     false},
    {"Cell6BecomesFourNoOpening", makeBoard({0, 0, 0, 0, 0, 1, 3, 2, 0, 0, 0, 0, 21, 21}), 5, false,
     true},
    {"OpeningCell6Captured", makeBoard({0, 0, 0, 0, 0, 1, 1, 3, 0, 0, 0, 0, 21, 22}), 5, true,
     true},
    {"OpeningBreakingMoveItself", kOpeningAlternative, 0, true, false},
    {"OpeningBreakingMoveWithoutFlag", kOpeningAlternative, 0, false, true},
    // The opening rule is not applied to the alternative: the feeding cell 0
    // still forbids the starving cell 5.
    {"OpeningNotAppliedToAlternative", kOpeningAlternative, 5, true, false},
    {"StarvingWithAlternativeNoOpening", kOpeningAlternative, 5, false, false},
    {"StarvingWithFeedingAlternative", kFeedingAlternative, 5, false, false},
    {"FeedingAlternativeItself", kFeedingAlternative, 0, false, true},
    {"StarvingWithLaterAlternative", kLaterAlternative, 1, false, false},
    {"LaterAlternativeItself", kLaterAlternative, 5, false, true},
    {"StarvingWithoutAlternative", kNoAlternative, 5, false, true},
    {"AllStarveCell4", kAllStarve, 4, false, true},
    {"AllStarveCell5", kAllStarve, 5, false, true},
    {"OpponentEmptyCell0", kOpponentEmpty, 0, false, true},
    {"OpponentEmptyCell2", kOpponentEmpty, 2, false, true},
    {"EmptyPit", kFeedingAlternative, 1, false, false},
    {"EmptyPitAllStarve", kAllStarve, 0, false, false},
    {"PitBelowRange", kStartBoard, -1, false, false},
    {"PitOfOtherRow", kStartBoard, 6, false, false},
    {"PitAboveBoard", kStartBoard, 12, false, false},
    {"PitIntMin", kStartBoard, INT_MIN, false, false},
    {"PitIntMax", kStartBoard, INT_MAX, false, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, Legality, ::testing::ValuesIn(kLegalityCases),
                         [](const auto& test) { return test.param.name; });

TEST(CheckmoveExport, AnyNonzeroOpeningFlagCounts) {
    const int32_t* b = kStartBoard.data();
    for (const int32_t flag : {1, 2, -1, INT32_MIN}) {
        EXPECT_EQ(::checkmove(b, 0, flag), 0) << flag;
        EXPECT_EQ(::checkmove(b, 2, flag), 1) << flag;
    }
    EXPECT_EQ(::checkmove(b, 0, 0), 1);
}

TEST(CheckmoveExport, TopHalfIsAskedOnTheRotatedBoard) {
    // After the bottom half opens with cell 2 every top pit feeds the bottom row:
    // all six are legal when asked from the top half's side.
    Board b = makeBoard({4, 4, 0, 5, 5, 5, 5, 4, 4, 4, 4, 4, 0, 0});
    const Board r = rotateboard(b);
    for (int pit = 0; pit < kPitsPerRow; ++pit)
        EXPECT_EQ(::checkmove(r.data(), pit, 0), 1);
    // The board itself is not touched.
    EXPECT_EQ(b, makeBoard({4, 4, 0, 5, 5, 5, 5, 4, 4, 4, 4, 4, 0, 0}));
}

// Execution. Each tracker starts from values no move can produce, so the
// mover's record is seen to be rewritten and the other's to stay.
struct ExecCase {
    std::string name;
    Board before;
    int pit;
    Board after;
    MoveResult result;
    RepetitionTracker moverTracker;
};

void PrintTo(const ExecCase& c, std::ostream* os) {
    *os << c.name;
}

class Execution : public ::testing::TestWithParam<ExecCase> {};

TEST_P(Execution, Execmove) {
    const ExecCase& c = GetParam();
    const RepetitionTracker bottomStart{101, 102, 103};
    const RepetitionTracker topStart{201, 202, 203};
    RepetitionTracker trackers[2] = {bottomStart, topStart};
    Board board = c.before;
    EXPECT_EQ(execmove(board, c.pit, trackers), c.result);
    EXPECT_EQ(board, c.after);
    const bool bottomMoves = c.pit < kPitsPerRow;
    const RepetitionTracker& mover = trackers[bottomMoves ? 0 : 1];
    const RepetitionTracker& other = trackers[bottomMoves ? 1 : 0];
    const RepetitionTracker& otherStart = bottomMoves ? topStart : bottomStart;
    EXPECT_EQ(mover.bottom, c.moverTracker.bottom);
    EXPECT_EQ(mover.top, c.moverTracker.top);
    EXPECT_EQ(mover.repeats, c.moverTracker.repeats);
    EXPECT_EQ(other.bottom, otherStart.bottom);
    EXPECT_EQ(other.top, otherStart.top);
    EXPECT_EQ(other.repeats, otherStart.repeats);
}

const ExecCase kExecCases[] = {
    {"BottomOpens",
     kStartBoard,
     2,
     makeBoard({4, 4, 0, 5, 5, 5, 5, 4, 4, 4, 4, 4, 0, 0}),
     kPlayOn,
     {23, 25, 0}},
    {"TopOpens",
     kStartBoard,
     8,
     makeBoard({5, 4, 4, 4, 4, 4, 4, 4, 0, 5, 5, 5, 0, 0}),
     kPlayOn,
     {25, 23, 0}},
    // Cell 6 (1 + 1) is taken, leaving the top row empty: the bottom half sweeps
    // its own 5 stones into its store and the stores hold 24 + 24. The tracker
    // keeps the sums from before the sweep.
    {"BottomSweepsTo24All",
     makeBoard({0, 0, 0, 3, 2, 1, 1, 0, 0, 0, 0, 0, 24, 17}),
     5,
     makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}),
     kGameOver,
     {5, 0, 0}},
    {"TopSweepsTo24All",
     makeBoard({1, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2, 1, 17, 24}),
     11,
     makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}),
     kGameOver,
     {0, 5, 0}},
    // A capture that brings the store to exactly 24 while taking the last
    // stones: nothing is left to sweep and the stores total 48.
    {"CaptureTo24Against24",
     makeBoard({0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 24, 22}),
     5,
     makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}),
     kGameOver,
     {0, 0, 0}},
    // 23 + 2 = 25 ends the game; the stones still in the pits stay there.
    {"BottomStoreTo25",
     makeBoard({3, 0, 2, 0, 0, 1, 1, 4, 0, 0, 0, 0, 14, 23}),
     5,
     makeBoard({3, 0, 2, 0, 0, 0, 0, 4, 0, 0, 0, 0, 14, 25}),
     kGameOver,
     {5, 4, 0}},
    {"TopStoreTo25",
     makeBoard({1, 4, 0, 0, 0, 0, 3, 0, 2, 0, 0, 1, 23, 14}),
     11,
     makeBoard({0, 4, 0, 0, 0, 0, 3, 0, 2, 0, 0, 0, 25, 14}),
     kGameOver,
     {4, 5, 0}},
    // A store of 24 alone does not end the game.
    {"Store24PlaysOn",
     makeBoard({0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 24, 22}),
     4,
     makeBoard({0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 24, 22}),
     kPlayOn,
     {1, 1, 0}},
    {"Store24OwnMovePlaysOn",
     makeBoard({0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 22, 24}),
     4,
     makeBoard({0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 22, 24}),
     kPlayOn,
     {1, 1, 0}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Execution, ::testing::ValuesIn(kExecCases),
                         [](const auto& test) { return test.param.name; });

TEST(Execmove, EachSideKeepsItsOwnTracker) {
    // Alternate moves from the start; each record follows only its own side.
    Board board = kStartBoard;
    RepetitionTracker trackers[2] = {};
    ASSERT_EQ(execmove(board, 2, trackers), kPlayOn);  // bottom 23, top 25
    EXPECT_EQ(trackers[0].bottom, 23);
    EXPECT_EQ(trackers[0].top, 25);
    EXPECT_EQ(trackers[1].bottom, 0);
    EXPECT_EQ(trackers[1].top, 0);
    // Top cell 11 (4) sows 0-3: cell 3 goes from 5 to 6 and ends the move.
    ASSERT_EQ(execmove(board, 11, trackers), kPlayOn);
    EXPECT_EQ(board, makeBoard({5, 5, 1, 6, 5, 5, 5, 4, 4, 4, 4, 0, 0, 0}));
    EXPECT_EQ(trackers[1].bottom, 27);
    EXPECT_EQ(trackers[1].top, 21);
    EXPECT_EQ(trackers[1].repeats, 0);
    EXPECT_EQ(trackers[0].bottom, 23);
    EXPECT_EQ(trackers[0].top, 25);
    EXPECT_EQ(trackers[0].repeats, 0);
}

// The repetition rule itself: a count that grows with each unchanged own move
// and a limit that depends on the stones left.

TEST(Repetition, CountsUnchangedMovesAndRestartsOnChange) {
    RepetitionTracker t{};
    EXPECT_FALSE(checkrepetition(t, 3, 5));
    EXPECT_EQ(t.bottom, 3);
    EXPECT_EQ(t.top, 5);
    EXPECT_EQ(t.repeats, 0);
    for (int32_t expected = 1; expected <= 4; ++expected) {
        EXPECT_FALSE(checkrepetition(t, 3, 5));
        EXPECT_EQ(t.repeats, expected);
    }
    // A stone that crosses keeps the total but changes both sums.
    EXPECT_FALSE(checkrepetition(t, 2, 6));
    EXPECT_EQ(t.bottom, 2);
    EXPECT_EQ(t.top, 6);
    EXPECT_EQ(t.repeats, 0);
    EXPECT_FALSE(checkrepetition(t, 2, 6));
    EXPECT_EQ(t.repeats, 1);
    // A capture changes one sum only.
    EXPECT_FALSE(checkrepetition(t, 2, 4));
    EXPECT_EQ(t.repeats, 0);
    EXPECT_FALSE(checkrepetition(t, 1, 4));
    EXPECT_EQ(t.repeats, 0);
}

class RepetitionLimit : public ::testing::TestWithParam<int> {};

// With s stones left the count must pass 2 s + 10: with 9 left the 30th move in
// a row (count 29), with 1 left the 14th (count 13).
TEST_P(RepetitionLimit, EndsWhenCountPassesTwiceStonesPlusTen) {
    const int s = GetParam();
    for (int bottom = 0; bottom <= s; ++bottom) {
        const int top = s - bottom;
        RepetitionTracker t{};
        bool ended = checkrepetition(t, bottom, top);
        int moves = 1;
        while (!ended && moves < 1000) {
            ended = checkrepetition(t, bottom, top);
            ++moves;
        }
        if (s == 0) {
            // A zero tracker already matches: the first move counts 1.
            EXPECT_EQ(moves, 11) << "bottom " << bottom;
            EXPECT_EQ(t.repeats, 11);
        } else {
            EXPECT_EQ(moves, 2 * s + 12) << "bottom " << bottom;
            EXPECT_EQ(t.repeats, 2 * s + 11);
        }
        EXPECT_TRUE(ended);
    }
}

INSTANTIATE_TEST_SUITE_P(StonesLeft, RepetitionLimit, ::testing::Range(0, 10));

TEST(Repetition, NeverEndsWithTenOrMoreStonesLeft) {
    for (const int s : {10, 11, 24, 48}) {
        RepetitionTracker t{};
        for (int move = 0; move < 500; ++move) {
            ASSERT_FALSE(checkrepetition(t, s / 2, s - s / 2)) << s << " stones, move " << move;
        }
        EXPECT_EQ(t.repeats, 499);
    }
}

// Four stones on the board: the bottom half plays cell 0 into cell 1 again and
// again (the board reset each time), leaving 1 and 3 in the rows. The 20th
// such move has count 19 > 2 x 4 + 10 and ends the game; each side takes the
// stones of its own row.
TEST(Execmove, RepetitionEndsGameAndSharesStones) {
    const Board position = makeBoard({1, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 20, 24});
    RepetitionTracker trackers[2] = {{}, {7, 8, 9}};
    for (int move = 1; move <= 19; ++move) {
        Board board = position;
        ASSERT_EQ(execmove(board, 0, trackers), kPlayOn) << "move " << move;
        EXPECT_EQ(trackers[0].repeats, move - 1);
    }
    Board board = position;
    EXPECT_EQ(execmove(board, 0, trackers), kRepetitionEnd);
    EXPECT_EQ(trackers[0].repeats, 19);
    EXPECT_EQ(board, makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 23, 25}));
    EXPECT_EQ(trackers[1].bottom, 7);
    EXPECT_EQ(trackers[1].top, 8);
    EXPECT_EQ(trackers[1].repeats, 9);
}

TEST(Execmove, TenStonesNeverEndByRepetition) {
    const Board position = makeBoard({1, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 18, 20});
    RepetitionTracker trackers[2] = {};
    for (int move = 1; move <= 200; ++move) {
        Board board = position;
        ASSERT_EQ(execmove(board, 0, trackers), kPlayOn) << "move " << move;
    }
    EXPECT_EQ(trackers[0].repeats, 199);
}

// Cell 5 takes 2 + 1 from cell 6: the store reaches 25, which ends the game, and
// the primed tracker passes its limit (2 stones left, count 15 > 14) on the
// same move. Repetition wins: result 2, and the 2 stones in the top row go to
// the top half's store.
TEST(Execmove, RepetitionReportedEvenWhenStoreAlsoPasses24) {
    Board board = makeBoard({0, 0, 0, 0, 0, 1, 2, 0, 0, 2, 0, 0, 21, 22});
    RepetitionTracker trackers[2] = {{0, 2, 14}, {}};
    EXPECT_EQ(execmove(board, 5, trackers), kRepetitionEnd);
    EXPECT_EQ(board, makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 23, 25}));
    EXPECT_EQ(trackers[0].repeats, 15);
}

TEST(ExecmoveExport, UsesTheSixIntegerTrackerPair) {
    // The pair is laid out bottom record first, three integers each.
    Board board = kStartBoard;
    int32_t trackers[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(::execmove(board.data(), 9, trackers), 0);
    // Top cell 9 (4) sows 10, 11, 0, 1: 26 stones in the bottom row, 22 on top.
    EXPECT_EQ(board, makeBoard({5, 5, 4, 4, 4, 4, 4, 4, 4, 0, 5, 5, 0, 0}));
    const int32_t expected[6] = {1, 2, 3, 26, 22, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(trackers[i], expected[i]) << i;
}

}  // namespace
}  // namespace zeko::engine
