// Sowing, capture and the rotation of a board.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/sow.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using zeko::testing::makeBoard;
using zeko::testing::randomPositions;
using zeko::testing::totalStones;

// Boards below read: cells 0-5 (bottom row), 6-11 (top row), top store, bottom store.
struct SowCase {
    std::string name;
    Board before;
    int pit;
    Board after;
    int32_t top;     // stones left in cells 6-11
    int32_t bottom;  // stones left in cells 0-5
};

// Failures name the case rather than dump its bytes.
void PrintTo(const SowCase& c, std::ostream* os) {
    *os << c.name;
}

class SowTable : public ::testing::TestWithParam<SowCase> {};

TEST_P(SowTable, SowsAndCaptures) {
    const SowCase& c = GetParam();
    Board board = c.before;
    const RowSums sums = sow(board, c.pit);
    EXPECT_EQ(board, c.after);
    EXPECT_EQ(sums.top, c.top);
    EXPECT_EQ(sums.bottom, c.bottom);
}

const SowCase kSowCases[] = {
    // Cell 6 receives the fourth stone and holds 5: nothing to take.
    {"StartCell2", kStartBoard, 2, makeBoard({4, 4, 0, 5, 5, 5, 5, 4, 4, 4, 4, 4, 0, 0}), 25, 23},
    {"StartCell0StaysInOwnRow", kStartBoard, 0,
     makeBoard({0, 5, 5, 5, 5, 4, 4, 4, 4, 4, 4, 4, 0, 0}), 24, 24},
    // The top half sows on from cell 11 into cell 0, which ends with 5.
    {"TopWrapsIntoCell0", kStartBoard, 8, makeBoard({5, 4, 4, 4, 4, 4, 4, 4, 0, 5, 5, 5, 0, 0}), 23,
     25},
    // 11 stones reach every other pit once and end in cell 2, the mover's own
    // row, so the opponent's pits that now hold 2 stay where they are.
    {"ElevenStonesEndJustBeforeOrigin", makeBoard({1, 1, 1, 11, 1, 1, 1, 1, 1, 1, 1, 1, 13, 13}), 3,
     makeBoard({2, 2, 2, 0, 2, 2, 2, 2, 2, 2, 2, 2, 13, 13}), 12, 10},
    // The twelfth stone skips the origin and lands in cell 6 as its second
    // stone: 2 are taken, and the walk ends at the row's edge.
    {"TwelveStonesPassOverOrigin", makeBoard({0, 0, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 18, 18}), 5,
     makeBoard({1, 1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 18, 20}), 5, 5},
    {"TwelveStonesTopEndsInOwnRow", makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 18, 18}), 9,
     makeBoard({1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 2, 1, 18, 18}), 6, 6},
    // Two full rounds: every other pit holds 2 and the last stone falls in
    // cell 11, so the whole top row (12 stones) is taken; cell 5 is never
    // reached by the walk.
    {"TwentyTwoStonesTakeWholeRow", makeBoard({22, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 13, 13}), 0,
     makeBoard({0, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 13, 25}), 0, 10},
    {"TwentyTwoStonesEndInOwnRow", makeBoard({0, 0, 0, 0, 0, 22, 0, 0, 0, 0, 0, 0, 13, 13}), 5,
     makeBoard({2, 2, 2, 2, 2, 0, 2, 2, 2, 2, 2, 2, 13, 13}), 12, 10},
    // 9 stones from cell 4 run through the whole top row and end in cell 1.
    {"LapEndingInOwnRowTakesNothing", makeBoard({0, 0, 0, 0, 9, 0, 1, 1, 1, 1, 1, 1, 16, 17}), 4,
     makeBoard({1, 1, 0, 0, 0, 1, 2, 2, 2, 2, 2, 2, 16, 17}), 12, 3},
    {"LastStoneMakesOne", makeBoard({0, 0, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, 21, 22}), 5,
     makeBoard({0, 0, 0, 0, 0, 0, 1, 4, 0, 0, 0, 0, 21, 22}), 5, 0},
    {"LastStoneMakesTwo", makeBoard({0, 0, 0, 0, 0, 1, 1, 4, 0, 0, 0, 0, 21, 21}), 5,
     makeBoard({0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 21, 23}), 4, 0},
    {"LastStoneMakesThree", makeBoard({0, 0, 0, 0, 0, 1, 2, 4, 0, 0, 0, 0, 21, 20}), 5,
     makeBoard({0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 21, 23}), 4, 0},
    {"LastStoneMakesFour", makeBoard({0, 0, 0, 0, 0, 1, 3, 4, 0, 0, 0, 0, 20, 20}), 5,
     makeBoard({0, 0, 0, 0, 0, 0, 4, 4, 0, 0, 0, 0, 20, 20}), 8, 0},
    // Cells 9, 8, 7 end at 3, 2, 2 and go; cell 6 at 4 stops the walk. Cells
    // 10 and 11 lie beyond the last pit and stay.
    {"ChainStopsAtFour", makeBoard({1, 0, 0, 0, 0, 4, 3, 1, 1, 2, 2, 3, 12, 19}), 5,
     makeBoard({1, 0, 0, 0, 0, 0, 4, 0, 0, 0, 2, 3, 12, 26}), 9, 1},
    // Cells 9 down to 6 all end at 2 or 3; cell 5 holds 2 but is the mover's.
    {"ChainStopsAtRowEdge", makeBoard({0, 0, 0, 0, 5, 1, 1, 2, 1, 1, 1, 0, 18, 18}), 4,
     makeBoard({0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 18, 27}), 1, 2},
    // Cell 8 (3) goes, cell 7 (1) ends the walk, so cell 6 (2) stays.
    {"ChainBrokenByOne", makeBoard({0, 0, 0, 5, 0, 0, 1, 0, 2, 0, 0, 0, 20, 20}), 3,
     makeBoard({0, 0, 0, 0, 1, 1, 2, 1, 0, 0, 0, 0, 20, 23}), 3, 2},
    // The top half's walk from cell 0 has nowhere further down to go; cells 1
    // and 2 hold 2 and 3 but lie above the last pit.
    {"TopTakesCell0AndStops", makeBoard({1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 1, 19, 22}), 11,
     makeBoard({0, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 21, 22}), 0, 5},
    {"TopChain", makeBoard({1, 2, 1, 0, 0, 0, 0, 0, 0, 0, 4, 0, 20, 20}), 10,
     makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 27, 20}), 1, 0},
    {"TopEndsInOwnRowTakesNothing", makeBoard({2, 3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 20, 20}), 6,
     makeBoard({2, 3, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 20, 20}), 3, 5},
    {"EmptyBottomPit", makeBoard({0, 3, 2, 2, 0, 0, 2, 3, 0, 0, 0, 1, 17, 18}), 0,
     makeBoard({0, 3, 2, 2, 0, 0, 2, 3, 0, 0, 0, 1, 17, 18}), 6, 7},
    {"EmptyTopPit", makeBoard({0, 3, 2, 2, 0, 0, 2, 3, 0, 0, 0, 1, 17, 18}), 9,
     makeBoard({0, 3, 2, 2, 0, 0, 2, 3, 0, 0, 0, 1, 17, 18}), 6, 7},
};

INSTANTIATE_TEST_SUITE_P(Cases, SowTable, ::testing::ValuesIn(kSowCases),
                         [](const auto& test) { return test.param.name; });

// n stones alone on the board: the mover's own pits are never captured, so
// they show the dealing exactly: n / 11 rounds, plus one for each of the
// first n % 11 pits after the origin, and the origin itself ends empty.
TEST(Sow, DealsRoundsAndSkipsOrigin) {
    for (int origin = 0; origin < kPits; ++origin) {
        for (int n = 0; n <= kStones; ++n) {
            Board board{};
            board[origin] = n;
            sow(board, origin);
            SCOPED_TRACE("origin " + std::to_string(origin) + ", " + std::to_string(n) + " stones");
            EXPECT_EQ(totalStones(board), n);
            EXPECT_EQ(board[origin], 0);
            const int rowStart = origin < kPitsPerRow ? 0 : kPitsPerRow;
            for (int cell = rowStart; cell < rowStart + kPitsPerRow; ++cell) {
                if (cell == origin) continue;
                const int distance = (cell - origin + kPits) % kPits;  // 1..11
                EXPECT_EQ(board[cell], n / 11 + (distance <= n % 11 ? 1 : 0)) << "cell " << cell;
            }
            // Only the mover's store can gain.
            EXPECT_EQ(board[origin < kPitsPerRow ? kTopStore : kBottomStore], 0);
        }
    }
}

TEST(Sow, KeepsStonesAndReportsRowsOnReachedPositions) {
    for (const bool top : {false, true}) {
        for (const Board& position : randomPositions(11 + top, 150, 60, top)) {
            for (int pit = 0; pit < kPits; ++pit) {
                Board board = position;
                const RowSums sums = sow(board, pit);
                const bool bottomMoves = pit < kPitsPerRow;
                EXPECT_EQ(totalStones(board), kStones);
                for (int32_t cell : board)
                    EXPECT_GE(cell, 0);
                EXPECT_EQ(sums.top, topRowStones(board));
                EXPECT_EQ(sums.bottom, bottomRowStones(board));
                // Captured stones go to the mover's store only.
                const int ownStore = bottomMoves ? kBottomStore : kTopStore;
                const int otherStore = bottomMoves ? kTopStore : kBottomStore;
                EXPECT_GE(board[ownStore], position[ownStore]);
                EXPECT_EQ(board[otherStore], position[otherStore]);
                // A mover's own row never loses stones except from the origin.
                const int rowStart = bottomMoves ? 0 : kPitsPerRow;
                for (int cell = rowStart; cell < rowStart + kPitsPerRow; ++cell) {
                    if (cell != pit) {
                        EXPECT_GE(board[cell], position[cell]);
                    }
                }
            }
        }
    }
}

TEST(Rotate, ExchangesRowsAndStores) {
    const Board b = makeBoard({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    EXPECT_EQ(rotateboard(b), makeBoard({7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6, 14, 13}));
}

TEST(Rotate, TwiceGivesBoardBack) {
    const Board odd = makeBoard({INT32_MIN, -1, 0, 1, INT32_MAX, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    EXPECT_EQ(rotateboard(rotateboard(odd)), odd);
    for (const Board& b : randomPositions(3, 50, 80, false)) {
        EXPECT_EQ(rotateboard(rotateboard(b)), b);
    }
}

}  // namespace
}  // namespace zeko::engine
