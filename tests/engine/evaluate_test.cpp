// The static evaluation in its three phases. Positions are seen from the side
// that has just moved: it owns cells 0-5 and store 13.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/board.h"
#include "engine/evaluate.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using zeko::testing::makeBoard;

// Boards below read: cells 0-5 (own row), 6-11 (opponent's row), opponent's
// store, own store.

TEST(EvaluateOpening, StartPositionIsBalanced) {
    // Own cells 2-5 land in columns 0-3 of the other row (2 + 2 + 4 + 4); the
    // opponent's cells 8-11 land in the same columns of ours.
    EXPECT_EQ(evaluate(kStartBoard), 0);
}

TEST(EvaluateOpening, EmptyAndSingleStonePits) {
    // Own: 3 empty pits -15, 3 single stones +9, cell 5's stone lands in
    // column 0 of the other row +2.
    // Opponent: 3 empty pits +39, 3 single stones -27; cell 11's 19 stones
    // (19 mod 11 = 8) reach cell 7 after the wrap, its own row: nothing.
    EXPECT_EQ(evaluate(makeBoard({0, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 19, 12, 11})), -5);
}

// One pit changed on a base of 2 stones everywhere (24 stored). In the base
// own cells 4 and 5 land in columns 0 and 1 (+2 each) and the opponent's cells
// 10 and 11 wrap to our columns 0 and 1 (-2 each): 0 in all. The changed pit's
// stones come out of or go into the opponent's store, which keeps the phase.
struct PitTermCase {
    std::string name;
    int cell;
    int count;
    int32_t value;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const PitTermCase& c, std::ostream* os) {
    *os << c.name;
}

class EvaluatePitTerm : public ::testing::TestWithParam<PitTermCase> {};

TEST_P(EvaluatePitTerm, Opening) {
    const PitTermCase& c = GetParam();
    Board b = makeBoard({2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 12, 12});
    b[kTopStore] -= c.count - b[c.cell];
    b[c.cell] = c.count;
    ASSERT_LT(b[kTopStore] + b[kBottomStore], 32);
    EXPECT_EQ(evaluate(b), c.value);
}

const PitTermCase kPitTermCases[] = {
    {"OwnEmpty", 0, 0, -5},
    {"OwnSingleInOwnRow", 3, 1, 3},
    // 3 for the stone, 2 for landing in column 0; the base's +2 is gone.
    {"OwnSingleLands", 5, 1, 3},
    {"OwnLandsColumn0", 0, 6, 2},
    {"OwnLandsColumn3", 2, 7, 4},
    {"OwnLandsColumn2", 3, 5, 4},
    {"OwnLandsColumn5", 1, 10, 2},
    // 11 stones: the landing cell is the pit itself (base +2 gone).
    {"OwnElevenIsItsOwnPit", 4, 11, -2},
    // 12 mod 11 = 1: cell 5, our own row.
    {"OwnTwelveLandsInOwnRow", 4, 12, -2},
    // 14 mod 11 = 3: cell 6.
    {"OwnFourteenWrapsToColumn0", 3, 14, 2},
    {"OwnTwentyTwo", 5, 22, -2},
    // 4 + 9 = 13, reduced to 1: back in our own row.
    {"OwnWrapsPastOtherRow", 4, 9, -2},
    // 17 mod 11 = 6: 5 + 6 = 11, column 5 (+2 replaces the base's +2).
    {"OwnSeventeenColumn5", 5, 17, 0},
    // 18 mod 11 = 7: 5 + 7 = 12, reduced to 0.
    {"OwnEighteenWrapsToOwnRow", 5, 18, -2},
    {"OpponentEmpty", 6, 0, 13},
    {"OpponentSingleInOwnRow", 8, 1, -9},
    // -9 for the stone, and 11 + 1 = 12 wraps to our column 0 (-2): the same as
    // the base's -2 plus -9.
    {"OpponentSingleLands", 11, 1, -9},
    {"OpponentLandsColumn0", 6, 6, -2},
    // 7 + 9 = 16, reduced to 4.
    {"OpponentLandsColumn4", 7, 9, -2},
    {"OpponentLandsColumn3", 8, 7, -4},
    {"OpponentElevenIsItsOwnPit", 9, 11, 0},
    {"OpponentElevenReplacesBase", 10, 11, 2},
    // 13 mod 11 = 2: 10 + 2 = 12, reduced to our column 0.
    {"OpponentThirteenWraps", 10, 13, 0},
    {"OpponentThreeLandsColumn0", 9, 3, -2},
    // 11 + 7 = 18, reduced to 6: the opponent's own row.
    {"OpponentWrapsPastOurRow", 11, 7, 2},
    {"OpponentTwentyTwo", 6, 22, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, EvaluatePitTerm, ::testing::ValuesIn(kPitTermCases),
                         [](const auto& test) { return test.param.name; });

TEST(EvaluateMiddle, ReserveTableAndBigPits) {
    // 35 stored. Own: col 0 with 3 -> 10, col 1 with 1 -> 4, col 2 with 2 -> 4,
    // col 3 empty, col 4 with 1 -> 1; cell 5 ignored. Opponent: col 0 with 1
    // -> -5, col 3 with 2 -> -2; cell 11 ignored.
    EXPECT_EQ(evaluate(makeBoard({3, 1, 2, 0, 1, 2, 1, 0, 0, 2, 0, 1, 17, 18})), 12);
    // 33 stored. Own col 0 with 4 -> 11, own col 2 with 5 -> -5, opponent's
    // col 3 with 6 -> +6.
    EXPECT_EQ(evaluate(makeBoard({4, 0, 5, 0, 0, 0, 0, 0, 0, 6, 0, 0, 16, 17})), 12);
}

TEST(EvaluateMiddle, LastPitOfEachRowIgnored) {
    // 32 stored: own 8 + 4, opponent -5. Counting cell 5 (7 stones, -7) or
    // cell 11 (5 stones, +5) would change it, and so would shifting those 12
    // stones between the two.
    EXPECT_EQ(evaluate(makeBoard({2, 1, 0, 0, 0, 7, 1, 0, 0, 0, 0, 5, 16, 16})), 7);
    EXPECT_EQ(evaluate(makeBoard({2, 1, 0, 0, 0, 12, 1, 0, 0, 0, 0, 0, 16, 16})), 7);
    EXPECT_EQ(evaluate(makeBoard({2, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 12, 16, 16})), 7);
}

TEST(EvaluateEnd, ThreeTimesReserveDifference) {
    // 40 stored. Own col 0 with 1 -> 5, own col 3 with 5 -> nothing;
    // opponent's col 1 with 2 -> 6. 3 x (5 - 6).
    EXPECT_EQ(evaluate(makeBoard({1, 0, 0, 5, 0, 0, 0, 2, 0, 0, 0, 0, 20, 20})), -3);
    // 41 stored. Own col 1 with 1 -> 4 and col 4 with 2 -> 0; opponent's col 0
    // with 2 -> 8 and col 2 with 1 -> 3; cell 5 counts nothing. 3 x (4 - 11).
    EXPECT_EQ(evaluate(makeBoard({0, 1, 0, 0, 2, 1, 2, 0, 1, 0, 0, 0, 21, 20})), -21);
}

// The same pits on either side of a phase boundary, one stone moved between a
// pit that does not count and a store.
TEST(EvaluatePhases, BoundaryAt32Stored) {
    // 31 stored, opening: own 0 (cell 0: 2 stones land in our row) + 3 (cell 1)
    // - 15 (cells 2-4 empty) + 0 (cell 5: 8 stones reach cell 1); opponent -9
    // (cell 6) + 52 (cells 7-10 empty) - 2 (cell 11: 5 stones reach our col 4).
    EXPECT_EQ(evaluate(makeBoard({2, 1, 0, 0, 0, 8, 1, 0, 0, 0, 0, 5, 16, 15})), 29);
    // 32 stored, middle: own 8 + 4, opponent -5; cells 5 and 11 ignored.
    EXPECT_EQ(evaluate(makeBoard({2, 1, 0, 0, 0, 7, 1, 0, 0, 0, 0, 5, 16, 16})), 7);
}

TEST(EvaluatePhases, BoundaryAt40Stored) {
    // 39 stored, middle: own col 0 with 3 -> 10, opponent's col 4 with 6 -> +6.
    EXPECT_EQ(evaluate(makeBoard({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 20, 19})), 16);
    // 40 stored, end: 3 x 10; the opponent's 5 stones count nothing.
    EXPECT_EQ(evaluate(makeBoard({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 20, 20})), 30);
}

}  // namespace
}  // namespace zeko::engine
