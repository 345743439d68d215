// The exports against arguments the program never passes: they must answer 0
// (or clamp), stay inside the caller's arrays and always return.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/board.h"
#include "engine/repetition.h"
#include "engine/zeko32.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using zeko::testing::makeBoard;
using zeko::testing::randomPositions;
using Trackers6 = std::array<int32_t, 6>;

constexpr int32_t kGuard = 0x5A5A5A5A;
constexpr int kGuards = 4;

// N integers for the engine with guard integers on either side.
template <int N>
class Guarded {
  public:
    Guarded() { cells_.fill(kGuard); }
    explicit Guarded(const Board& board) : Guarded() {
        static_assert(N == kCells);
        std::copy(board.begin(), board.end(), data());
    }
    int32_t* data() { return cells_.data() + kGuards; }
    int32_t& operator[](int i) { return data()[i]; }
    bool guardsIntact() const {
        for (int i = 0; i < kGuards; ++i) {
            if (cells_[i] != kGuard || cells_[kGuards + N + i] != kGuard) return false;
        }
        return true;
    }
    bool allUnset() const {
        return std::all_of(cells_.begin(), cells_.end(), [](int32_t c) { return c == kGuard; });
    }

  private:
    std::array<int32_t, N + 2 * kGuards> cells_;
};

// Boards no game reaches: a negative cell, more than 48 stones, and counts
// whose 32-bit sum wraps round to exactly 48.
std::vector<Board> badBoards() {
    return {
        makeBoard({-1, 5, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 2, 2}),
        makeBoard({4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, -4, 4, 4}),
        makeBoard({4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 0, -1}),
        makeBoard({4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 0, 1}),
        makeBoard({49, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
        makeBoard({INT32_MAX, INT32_MAX, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
        makeBoard({INT32_MAX, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 0, 0}),
        makeBoard({INT32_MIN, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 0, 0}),
    };
}

TEST(BadInput, CheckmoveAnswersZero) {
    Guarded<kCells> start(kStartBoard);
    for (const int32_t pit : {-1, 6, 11, 12, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(::checkmove(start.data(), pit, 0), 0) << pit;
        EXPECT_EQ(::checkmove(start.data(), pit, 1), 0) << pit;
    }
    EXPECT_EQ(::checkmove(nullptr, 2, 0), 0);
    for (const Board& bad : badBoards()) {
        Guarded<kCells> b(bad);
        for (int pit = 0; pit < kPitsPerRow; ++pit)
            EXPECT_EQ(::checkmove(b.data(), pit, 0), 0);
        EXPECT_TRUE(std::equal(bad.begin(), bad.end(), b.data()));
        EXPECT_TRUE(b.guardsIntact());
    }
}

TEST(BadInput, ExecmoveChangesNothing) {
    const Trackers6 kTrackers = {1, 2, 3, 4, 5, 6};
    auto expectUntouched = [&](Guarded<kCells>& b, const Board& board, Guarded<6>& t) {
        EXPECT_TRUE(std::equal(board.begin(), board.end(), b.data()));
        EXPECT_TRUE(std::equal(kTrackers.begin(), kTrackers.end(), t.data()));
        EXPECT_TRUE(b.guardsIntact());
        EXPECT_TRUE(t.guardsIntact());
    };
    auto freshTrackers = [&] {
        Guarded<6> t;
        std::copy(kTrackers.begin(), kTrackers.end(), t.data());
        return t;
    };
    for (const int32_t pit : {-1, 12, 13, INT32_MIN, INT32_MAX}) {
        Guarded<kCells> b(kStartBoard);
        Guarded<6> t = freshTrackers();
        EXPECT_EQ(::execmove(b.data(), pit, t.data()), 0) << pit;
        expectUntouched(b, kStartBoard, t);
    }
    {
        Guarded<6> t = freshTrackers();
        EXPECT_EQ(::execmove(nullptr, 2, t.data()), 0);
        EXPECT_TRUE(std::equal(kTrackers.begin(), kTrackers.end(), t.data()));
        Guarded<kCells> b(kStartBoard);
        EXPECT_EQ(::execmove(b.data(), 2, nullptr), 0);
        EXPECT_TRUE(std::equal(kStartBoard.begin(), kStartBoard.end(), b.data()));
    }
    for (const Board& bad : badBoards()) {
        for (const int pit : {0, 2, 7, 11}) {
            Guarded<kCells> b(bad);
            Guarded<6> t = freshTrackers();
            EXPECT_EQ(::execmove(b.data(), pit, t.data()), 0);
            expectUntouched(b, bad, t);
        }
    }
}

TEST(BadInput, ExecmoveStaysInsideItsArrays) {
    for (int pit = 0; pit < kPits; ++pit) {
        Guarded<kCells> b(kStartBoard);
        Guarded<6> t;
        std::fill(t.data(), t.data() + 6, 0);
        EXPECT_EQ(::execmove(b.data(), pit, t.data()), 0);
        EXPECT_TRUE(b.guardsIntact()) << pit;
        EXPECT_TRUE(t.guardsIntact()) << pit;
    }
}

// A damaged tracker whose count is already at the top must not overflow.
TEST(BadInput, RepeatCountSaturates) {
    RepetitionTracker t{1, 1, INT32_MAX};
    EXPECT_TRUE(checkrepetition(t, 1, 1));
    EXPECT_EQ(t.repeats, INT32_MAX);

    // Through the export: 2 stones left, so the saturated count ends the game.
    Board board = makeBoard({1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 23, 23});
    int32_t trackers[6] = {1, 1, INT32_MAX, 0, 0, 0};
    EXPECT_EQ(::execmove(board.data(), 0, trackers), 2);
    EXPECT_EQ(trackers[2], INT32_MAX);
    EXPECT_EQ(board, makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}));

    // 10 stones left: no limit, and the count stays where it is.
    board = makeBoard({1, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 19, 19});
    int32_t tens[6] = {1, 9, INT32_MAX, 0, 0, 0};
    EXPECT_EQ(::execmove(board.data(), 0, tens), 0);
    EXPECT_EQ(tens[2], INT32_MAX);
}

// When the repetition limit is passed on a move that also swept the mover's row
// into its store, each side takes what is in its row now: the swept stones are
// not stored twice.
struct SweepCase {
    Board board;
    int pit;
    int32_t trackers[6];
};

TEST(RepetitionAfterSweep, StoresHoldExactly48) {
    const SweepCase cases[] = {
        // The last stone stays in the mover's row and the top row is empty:
        // sweep of 1 (row sums 1 and 0 before it), count 13 > 12.
        {makeBoard({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 23}), 0, {1, 0, 12, 0, 0, 0}},
        // Cell 5 takes cell 6 at 2, then the remaining 5 are swept: sums 5 and
        // 0, count 21 > 20.
        {makeBoard({0, 0, 0, 3, 2, 1, 1, 0, 0, 0, 0, 0, 24, 17}), 5, {5, 0, 20, 0, 0, 0}},
        // The same for the top half.
        {makeBoard({1, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2, 1, 17, 24}), 11, {0, 0, 0, 0, 5, 20}},
    };
    for (const SweepCase& c : cases) {
        Board board = c.board;
        int32_t trackers[6];
        std::copy(c.trackers, c.trackers + 6, trackers);
        EXPECT_EQ(::execmove(board.data(), c.pit, trackers), 2);
        EXPECT_EQ(board, makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}));
    }
}

TEST(BadInput, FindmoveClampsLevelAndRefusesBadBoards) {
    EXPECT_EQ(::findmove(nullptr, 3), 0);
    for (const Board& bad : badBoards()) {
        Guarded<kCells> b(bad);
        EXPECT_EQ(::findmove(b.data(), 1), 0);
        EXPECT_TRUE(b.guardsIntact());
    }
    // Levels below 1 play as level 1. With 7 stones left, level 1 searches 5
    // plies and plays cell 9; level 2 (6 plies) would play cell 6.
    const Board sevenLeft = makeBoard({1, 0, 1, 0, 1, 0, 1, 1, 1, 1, 0, 0, 20, 21});
    for (const int32_t level : {1, 0, -5, INT32_MIN}) {
        EXPECT_EQ(::findmove(sevenLeft.data(), level), 9) << level;
    }
    for (const Board& b : randomPositions(21, 40, 60, true)) {
        const int32_t atOne = ::findmove(b.data(), 1);
        EXPECT_EQ(::findmove(b.data(), 0), atOne);
        EXPECT_EQ(::findmove(b.data(), -5), atOne);
        EXPECT_EQ(::findmove(b.data(), INT32_MIN), atOne);
    }
    // Levels above 28 play as 28; only positions that a shortcut answers can
    // show it cheaply: a single pit, and a win at once for cells 9 and 11.
    const Board single = makeBoard({3, 4, 2, 5, 1, 3, 0, 0, 0, 12, 0, 0, 9, 9});
    const Board winNow = makeBoard({1, 2, 3, 1, 2, 1, 3, 2, 1, 4, 2, 2, 21, 3});
    for (const int32_t level : {28, 29, 1000, INT32_MAX}) {
        EXPECT_EQ(::findmove(single.data(), level), 9) << level;
        EXPECT_EQ(::findmove(winNow.data(), level), 9) << level;
    }
    // Levels beyond 9 are ordinary, deeper searches.
    const int32_t deep = ::findmove(sevenLeft.data(), 10);
    EXPECT_GE(deep, 6);
    EXPECT_LE(deep, 9);
}

// Every move of this position starves the empty top row, so every search
// branch ends at once and even 32 plies cost nothing.
const Board kAllStarve = makeBoard({0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 23, 23});
// Cell 5 wins at once; a line from it ends after one entry.
const Board kWinsAtOnce = makeBoard({0, 3, 0, 0, 0, 1, 2, 0, 1, 0, 0, 0, 18, 23});

TEST(BadInput, AnalyzeWritesNothingOnBadArguments) {
    Guarded<kCells> start(kStartBoard);
    for (const int32_t depth : {0, -1, 33, 1000, INT32_MIN, INT32_MAX}) {
        Guarded<6> values;
        Guarded<40> work;
        EXPECT_EQ(::analyze(start.data(), depth, values.data(), work.data()), 0) << depth;
        EXPECT_TRUE(values.allUnset());
        EXPECT_TRUE(work.allUnset());
    }
    {
        Guarded<6> values;
        Guarded<40> work;
        EXPECT_EQ(::analyze(nullptr, 2, values.data(), work.data()), 0);
        EXPECT_EQ(::analyze(start.data(), 2, nullptr, work.data()), 0);
        EXPECT_EQ(::analyze(start.data(), 2, values.data(), nullptr), 0);
        EXPECT_TRUE(values.allUnset());
        EXPECT_TRUE(work.allUnset());
    }
    for (const Board& bad : badBoards()) {
        Guarded<kCells> b(bad);
        Guarded<6> values;
        Guarded<40> work;
        EXPECT_EQ(::analyze(b.data(), 2, values.data(), work.data()), 0);
        EXPECT_TRUE(values.allUnset());
        EXPECT_TRUE(work.allUnset());
    }
}

TEST(BadInput, AnalyzeStaysInsideItsArrays) {
    {
        Guarded<kCells> b(kStartBoard);
        Guarded<6> values;
        Guarded<4> work;  // depth + 1
        ::analyze(b.data(), 3, values.data(), work.data());
        EXPECT_TRUE(values.guardsIntact());
        EXPECT_TRUE(work.guardsIntact());
    }
    {
        Guarded<kCells> b(kAllStarve);
        Guarded<6> values;
        Guarded<33> work;
        EXPECT_EQ(::analyze(b.data(), 32, values.data(), work.data()), 1);
        EXPECT_TRUE(values.guardsIntact());
        EXPECT_TRUE(work.guardsIntact());
        EXPECT_EQ(values[1], 8193);
    }
}

TEST(BadInput, FindlineWritesNothingOnBadArguments) {
    Guarded<kCells> start(kStartBoard);
    auto expectZero = [](const int32_t* board, int32_t plies, int32_t first) {
        Guarded<40> line;
        Guarded<40> work;
        EXPECT_EQ(::findline(board, plies, first, line.data(), work.data()), 0)
            << plies << " " << first;
        EXPECT_TRUE(line.allUnset());
        EXPECT_TRUE(work.allUnset());
    };
    for (const int32_t plies : {0, -1, 33, INT32_MIN, INT32_MAX})
        expectZero(start.data(), plies, 2);
    for (const int32_t first : {-1, 6, 11, INT32_MIN, INT32_MAX})
        expectZero(start.data(), 3, first);
    expectZero(nullptr, 3, 2);
    for (const Board& bad : badBoards()) {
        Guarded<kCells> b(bad);
        expectZero(b.data(), 3, 2);
    }
    Guarded<40> line;
    Guarded<40> work;
    EXPECT_EQ(::findline(start.data(), 3, 2, nullptr, work.data()), 0);
    EXPECT_EQ(::findline(start.data(), 3, 2, line.data(), nullptr), 0);
    EXPECT_TRUE(line.allUnset());
    EXPECT_TRUE(work.allUnset());
}

TEST(BadInput, FindlineStaysInsideItsArrays) {
    {
        Guarded<kCells> b(kStartBoard);
        Guarded<4> line;
        Guarded<4> work;
        EXPECT_EQ(::findline(b.data(), 4, 2, line.data(), work.data()), 4);
        EXPECT_TRUE(line.guardsIntact());
        EXPECT_TRUE(work.guardsIntact());
    }
    {
        Guarded<kCells> b(kWinsAtOnce);
        Guarded<32> line;
        Guarded<32> work;
        EXPECT_EQ(::findline(b.data(), 32, 5, line.data(), work.data()), 1);
        EXPECT_EQ(line[0], 5);
        EXPECT_TRUE(line.guardsIntact());
        EXPECT_TRUE(work.guardsIntact());
    }
}

// Boards no game reaches but that pass the checks: stones heaped in one pit,
// stores past 24, fewer than 48 stones. Every export must return, with an
// answer in its range.
TEST(BadInput, OddButValidBoardsAlwaysReturn) {
    std::mt19937 rng(77);
    std::vector<Board> boards;
    for (int cell = 0; cell < kCells; ++cell) {
        Board b{};
        b[cell] = kStones;
        boards.push_back(b);
    }
    boards.push_back(Board{});
    for (int i = 0; i < 150; ++i) {
        Board b{};
        const int stones = std::uniform_int_distribution<int>(0, kStones)(rng);
        for (int s = 0; s < stones; ++s)
            ++b[std::uniform_int_distribution<int>(0, 13)(rng)];
        boards.push_back(b);
    }
    for (const Board& board : boards) {
        for (int pit = 0; pit < kPitsPerRow; ++pit) {
            const int32_t legal = ::checkmove(board.data(), pit, pit % 2);
            EXPECT_TRUE(legal == 0 || legal == 1);
        }
        for (int pit = 0; pit < kPits; ++pit) {
            Board b = board;
            int32_t trackers[6] = {};
            const int32_t result = ::execmove(b.data(), pit, trackers);
            EXPECT_TRUE(result >= 0 && result <= 2);
        }
        const int32_t move = ::findmove(board.data(), 1);
        EXPECT_TRUE(move >= 6 && move <= 11) << move;
        Guarded<6> values;
        Guarded<4> work;
        const int32_t best = ::analyze(board.data(), 3, values.data(), work.data());
        EXPECT_TRUE(best >= 0 && best <= 5);
        EXPECT_TRUE(values.guardsIntact());
        EXPECT_TRUE(work.guardsIntact());
        Guarded<3> line;
        Guarded<3> lineWork;
        const int32_t length = ::findline(board.data(), 3, best, line.data(), lineWork.data());
        EXPECT_TRUE(length >= 1 && length <= 3);
        EXPECT_TRUE(line.guardsIntact());
        EXPECT_TRUE(lineWork.guardsIntact());
    }
}

}  // namespace
}  // namespace zeko::engine
