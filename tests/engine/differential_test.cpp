// The fast engine against the plain reference transcription: every value, every
// chosen pit and every work-array entry must agree, through the internal
// routines and through the library's exports alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/analysis.h"
#include "engine/board.h"
#include "engine/evaluate.h"
#include "engine/repetition.h"
#include "engine/rules.h"
#include "engine/search.h"
#include "engine/zeko32.h"
#include "tests/support/positions.h"
#include "tests/support/reference_engine.h"

namespace {

using zeko::engine::Board;
using zeko::engine::rotateboard;
using zeko::reference::ReferenceEngine;
using zeko::testing::makeBoard;
using zeko::testing::randomPositions;

constexpr int kWork = 40;
constexpr int32_t kUntouched = -7;  // fill for work arrays: a stray write shows
using Work = std::array<int32_t, kWork>;
using Values = std::array<int32_t, 6>;

Work freshWork() {
    Work w;
    w.fill(kUntouched);
    return w;
}

std::string show(const Board& b) {
    return zeko::testing::boardText(b);
}

int32_t row(const Board& b, int first) {
    int32_t s = 0;
    for (int i = first; i < first + 6; ++i)
        s += b[i];
    return s;
}

// Hand-made positions, the side to move owning cells 6-11 and store 12.
const std::vector<Board>& handMadeTop() {
    static const std::vector<Board> positions = {
        zeko::engine::kStartBoard,
        // Few stones left.
        makeBoard({0, 1, 0, 0, 2, 0, 0, 0, 1, 0, 1, 2, 20, 21}),
        makeBoard({1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 22, 22}),
        // The mover's only pit empties its row: the search goes a ply further.
        makeBoard({0, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 2, 20, 23}),
        makeBoard({1, 0, 2, 0, 1, 0, 0, 0, 0, 0, 0, 1, 21, 22}),
        // The opponent's only pit is at the end of its row.
        makeBoard({0, 0, 0, 0, 0, 2, 1, 0, 3, 0, 2, 1, 18, 21}),
        // Moves that capture the opponent's last stones.
        makeBoard({1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2, 20, 20}),
        makeBoard({1, 2, 0, 0, 0, 0, 1, 0, 2, 0, 3, 2, 19, 18}),
        makeBoard({2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 23, 21}),
        // Every reply would starve the mover, its store at 24 and just below.
        makeBoard({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 24, 20}),
        makeBoard({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 23, 21}),
        // A store at 24, one short of winning.
        makeBoard({2, 1, 0, 3, 0, 1, 0, 2, 0, 1, 0, 2, 24, 12}),
        makeBoard({0, 1, 1, 0, 2, 0, 1, 0, 2, 1, 0, 0, 16, 24}),
        // Wins within a few moves.
        makeBoard({1, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 2, 22, 20}),
        makeBoard({0, 0, 1, 2, 0, 1, 2, 0, 1, 0, 1, 1, 22, 17}),
        makeBoard({1, 1, 2, 0, 0, 1, 0, 2, 0, 1, 1, 0, 23, 16}),
        makeBoard({4, 0, 2, 1, 0, 0, 1, 3, 0, 2, 0, 1, 21, 13}),
        // Big piles that go round the board.
        makeBoard({1, 0, 2, 0, 1, 0, 14, 0, 0, 1, 0, 2, 10, 17}),
        makeBoard({2, 3, 0, 5, 1, 0, 0, 12, 1, 0, 2, 3, 6, 13}),
        makeBoard({0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 23, 0, 12, 12}),
    };
    return positions;
}

// A position with `left` stones spread at random over the pits, the stores
// sharing the rest without either passing 24; the side of cells 6-11 (or 0-5)
// has at least one stone.
Board randomEndgame(std::mt19937& rng, int left, bool topToMove) {
    Board b{};
    const int stored = 48 - left;
    const int lowest = std::max(0, stored - 24);
    b[12] = std::uniform_int_distribution<int>(lowest, std::min(24, stored))(rng);
    b[13] = stored - b[12];
    std::uniform_int_distribution<int> pit(0, 11);
    const int mover = topToMove ? 6 : 0;
    b[mover + std::uniform_int_distribution<int>(0, 5)(rng)] = 1;
    for (int s = 1; s < left; ++s)
        ++b[pit(rng)];
    return b;
}

std::vector<Board> endgames(uint32_t seed, int count, int minLeft, int maxLeft, bool topToMove) {
    std::mt19937 rng(seed);
    std::vector<Board> positions;
    for (int i = 0; i < count; ++i) {
        const int left = minLeft + (maxLeft - minLeft) * i / std::max(1, count - 1);
        positions.push_back(randomEndgame(rng, left, topToMove));
    }
    return positions;
}

// Positions for a search of the given depth, the side to move on cells 6-11:
// fewer as the depth grows, so that each depth costs about the same.
std::vector<Board> topPositions(int depth) {
    static constexpr int kRandom[] = {0, 3000, 2000, 1200, 600, 300, 150};
    static constexpr int kEndgames[] = {0, 1000, 800, 500, 300, 150, 80};
    std::vector<Board> positions = handMadeTop();
    for (const Board& b : randomPositions(100 + depth, kRandom[depth], 120, true))
        positions.push_back(b);
    for (const Board& b : endgames(200 + depth, kEndgames[depth], 1, 20, true))
        positions.push_back(b);
    return positions;
}

// The same for analyze and findline: the side to move on cells 0-5.
std::vector<Board> bottomPositions(int depth) {
    std::vector<Board> positions;
    for (const Board& b : topPositions(depth))
        positions.push_back(rotateboard(b));
    return positions;
}

class SearchDepth : public ::testing::TestWithParam<int> {};

TEST_P(SearchDepth, SearchmovesMatchesReference) {
    const int depth = GetParam();
    for (const Board& board : topPositions(depth)) {
        SCOPED_TRACE(show(board));
        ReferenceEngine reference;
        Values expected;
        expected.fill(99);
        Work expectedWork = freshWork();
        reference.searchmoves(board, expected.data(), depth, expectedWork.data());

        Values actual;
        actual.fill(99);
        Work actualWork = freshWork();
        zeko::engine::searchmoves(board, actual.data(), depth, actualWork.data());
        ASSERT_EQ(actual, expected);
        ASSERT_EQ(actualWork, expectedWork);
    }
}

TEST_P(SearchDepth, AnalyzeMatchesReference) {
    const int depth = GetParam();
    for (const Board& board : bottomPositions(depth)) {
        SCOPED_TRACE(show(board));
        ReferenceEngine reference;
        Values expected;
        expected.fill(99);
        Work expectedWork = freshWork();
        const int32_t expectedBest =
            reference.analyze(board, depth, expected.data(), expectedWork.data());

        Values actual;
        actual.fill(99);
        Work actualWork = freshWork();
        ASSERT_EQ(zeko::engine::analyze(board, depth, actual.data(), actualWork.data()),
                  expectedBest);
        ASSERT_EQ(actual, expected);
        ASSERT_EQ(actualWork, expectedWork);

        actual.fill(99);
        actualWork = freshWork();
        ASSERT_EQ(::analyze(board.data(), depth, actual.data(), actualWork.data()), expectedBest);
        ASSERT_EQ(actual, expected);
        ASSERT_EQ(actualWork, expectedWork);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, SearchDepth, ::testing::Range(1, 7));

class FindmoveLevel : public ::testing::TestWithParam<int> {};

TEST_P(FindmoveLevel, MatchesReference) {
    const int level = GetParam();
    for (const Board& board : topPositions(level)) {
        SCOPED_TRACE(show(board));
        ReferenceEngine reference;
        const int32_t expected = reference.findmove(board, level);
        ASSERT_EQ(zeko::engine::findmove(board, level), expected);
        ASSERT_EQ(::findmove(board.data(), level), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, FindmoveLevel, ::testing::Range(1, 7));

// The schedule adds up to four plies as stones leave the board: endgames at
// the top levels reach depths 8 to 13.
TEST(FindmoveDeepLevels, MatchReference) {
    struct Case {
        int level;
        std::vector<Board> positions;
    };
    const Case cases[] = {
        {7, endgames(307, 40, 2, 20, true)},
        {8, endgames(308, 30, 2, 20, true)},
        {9, endgames(309, 30, 2, 14, true)},
        {7, randomPositions(310, 8, 60, true)},
    };
    for (const Case& c : cases) {
        for (const Board& board : c.positions) {
            SCOPED_TRACE(show(board) + " level " + std::to_string(c.level));
            ReferenceEngine reference;
            const int32_t expected = reference.findmove(board, c.level);
            ASSERT_EQ(zeko::engine::findmove(board, c.level), expected);
            ASSERT_EQ(::findmove(board.data(), c.level), expected);
        }
    }
}

// A level below 1 plays as level 1.
TEST(FindmoveLevels, LevelsBelowOnePlayAsOne) {
    ReferenceEngine reference;
    for (const Board& board : topPositions(1)) {
        const int32_t expected = reference.findmove(board, 1);
        for (int32_t level : {INT32_MIN, -5, 0}) {
            ASSERT_EQ(reference.findmove(board, level), expected) << show(board);
            ASSERT_EQ(::findmove(board.data(), level), expected) << show(board);
        }
    }
}

class FindlinePlies : public ::testing::TestWithParam<int> {};

TEST_P(FindlinePlies, MatchesReference) {
    const int plies = GetParam();
    // The deepest search of a line is plies - 1.
    const std::vector<Board> positions = bottomPositions(std::max(1, plies - 1));
    for (size_t i = 0; i < positions.size(); ++i) {
        const Board& board = positions[i];
        // Every first pit at shallow plies; two of them further down.
        for (int first = 0; first < 6; ++first) {
            if (plies > 4 && (first + static_cast<int>(i)) % 3 != 0) continue;
            SCOPED_TRACE(show(board) + " first " + std::to_string(first));
            ReferenceEngine reference;
            std::array<int32_t, kWork> expectedLine;
            expectedLine.fill(kUntouched);
            Work expectedWork = freshWork();
            const int32_t expectedCount =
                reference.findline(board, plies, first, expectedLine.data(), expectedWork.data());

            std::array<int32_t, kWork> line;
            line.fill(kUntouched);
            Work work = freshWork();
            ASSERT_EQ(zeko::engine::findline(board, plies, first, line.data(), work.data()),
                      expectedCount);
            ASSERT_EQ(line, expectedLine);
            ASSERT_EQ(work, expectedWork);

            line.fill(kUntouched);
            work = freshWork();
            ASSERT_EQ(::findline(board.data(), plies, first, line.data(), work.data()),
                      expectedCount);
            ASSERT_EQ(line, expectedLine);
            ASSERT_EQ(work, expectedWork);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Plies, FindlinePlies, ::testing::Range(1, 8));

// Boards for the evaluation with the stores fixed at `stored` and the other
// stones thrown at random, now and then piled high so that the landing cell
// wraps round the board.
TEST(Evaluate, MatchesReferenceInEveryPhase) {
    std::mt19937 rng(7);
    for (int stored = 0; stored <= 48; ++stored) {
        for (int n = 0; n < 1000; ++n) {
            Board b{};
            b[12] = std::uniform_int_distribution<int>(0, stored)(rng);
            b[13] = stored - b[12];
            const int left = 48 - stored;
            const int pile = std::uniform_int_distribution<int>(0, 11)(rng);
            const int piled = n % 4 == 0 ? left / 2 : 0;
            b[pile] = piled;
            std::uniform_int_distribution<int> pit(0, 11);
            for (int s = piled; s < left; ++s)
                ++b[pit(rng)];
            ASSERT_EQ(zeko::engine::evaluate(b), ReferenceEngine::evaluate(b)) << show(b);
        }
    }
}

TEST(Evaluate, PositionsReachedInPlay) {
    for (const Board& b : randomPositions(11, 400, 120, true)) {
        ASSERT_EQ(zeko::engine::evaluate(b), ReferenceEngine::evaluate(b)) << show(b);
        const Board r = rotateboard(b);
        ASSERT_EQ(zeko::engine::evaluate(r), ReferenceEngine::evaluate(r)) << show(r);
    }
}

// Values worked out by hand, so that a misreading shared by both sides shows.
TEST(Evaluate, HandWorkedValues) {
    struct Case {
        Board board;
        int32_t value;
    };
    const Case cases[] = {
        // Opening: empty and single pits, landings on both sides.
        {makeBoard({0, 1, 2, 3, 4, 5, 5, 5, 5, 5, 5, 3, 0, 0}), -10},
        // Opening: landings that wrap round, 11 stones land on their own pit.
        {makeBoard({0, 0, 0, 0, 7, 12, 0, 0, 0, 0, 11, 13, 3, 2}), 34},
        // 31 stored is still the opening; at 32 the middle phase ignores cells 5 and 11.
        {makeBoard({1, 2, 0, 4, 5, 3, 0, 1, 0, 0, 0, 0, 16, 15}), 64},
        {makeBoard({1, 2, 0, 4, 5, 3, 0, 1, 0, 0, 0, 0, 16, 16}), 2},
        {makeBoard({0, 0, 0, 0, 0, 0, 6, 0, 2, 0, 3, 0, 20, 17}), 2},
        // End: three times the difference of the reserves.
        {makeBoard({1, 1, 2, 0, 0, 0, 0, 3, 0, 1, 0, 0, 20, 20}), 12},
        {makeBoard({5, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 24, 16}), 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReferenceEngine::evaluate(c.board), c.value) << show(c.board);
        EXPECT_EQ(zeko::engine::evaluate(c.board), c.value) << show(c.board);
    }
}

// Search values worked out by hand, side to move on cells 6-11.
TEST(SearchValues, HandWorkedCases) {
    constexpr int32_t E = -2000;
    struct Case {
        Board board;
        int depth;
        Values values;
    };
    const Case cases[] = {
        // Every reply starves the mover: -250 with 24 in its store, -514 below.
        {makeBoard({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 24, 20}), 1, {E, E, E, E, E, -250}},
        {makeBoard({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 24, 20}), 3, {E, E, E, E, E, -250}},
        {makeBoard({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 23, 21}), 2, {E, E, E, E, E, -514}},
        // Capturing the last stones is -1000 even though it passes 24.
        {makeBoard({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 23, 22}), 2, {E, E, E, E, E, -1000}},
        // A win now is 515 at any depth.
        {makeBoard({1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 22, 21}), 3, {E, E, E, E, E, 515}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(show(c.board));
        Values values;
        Work work = freshWork();
        ReferenceEngine reference;
        reference.searchmoves(c.board, values.data(), c.depth, work.data());
        EXPECT_EQ(values, c.values);
        zeko::engine::searchmoves(c.board, values.data(), c.depth, work.data());
        EXPECT_EQ(values, c.values);
    }
}

// Codes worked out by hand, side to move on cells 0-5.
TEST(AnalyzeCodes, HandWorkedCases) {
    constexpr int32_t X = 0x4000;
    struct Case {
        Board board;  // side to move on cells 6-11, turned before the call
        int depth;
        int32_t best;
        Values codes;
    };
    const Case cases[] = {
        // Only starving moves: they are the legal ones, shown as wins in one.
        {makeBoard({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 23, 22}), 3, 5, {X, X, X, X, X, 8193}},
        {makeBoard({1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2, 20, 20}), 2, 4, {X, X, X, X, 8193, 8193}},
        // A win now: 8193 at every depth.
        {makeBoard({1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 22, 21}), 4, 5, {X, X, X, X, X, 8193}},
        // Every reply starves the mover, whose store is at 24: a plain score.
        {makeBoard({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 24, 20}), 2, 5, {X, X, X, X, X, -250}},
    };
    for (const Case& c : cases) {
        const Board board = rotateboard(c.board);
        SCOPED_TRACE(show(board));
        Values codes;
        Work work = freshWork();
        ReferenceEngine reference;
        EXPECT_EQ(reference.analyze(board, c.depth, codes.data(), work.data()), c.best);
        EXPECT_EQ(codes, c.codes);
        codes.fill(0);
        EXPECT_EQ(zeko::engine::analyze(board, c.depth, codes.data(), work.data()), c.best);
        EXPECT_EQ(codes, c.codes);
    }
}

// A loss with the opponent's n-th move codes as 4096 + n, so a loss in one is
// 4097 (an off-by-one here once coded it 4098).
TEST(AnalyzeCodes, LossInOneCodesAs4097) {
    struct Case {
        Board board;  // side to move on cells 6-11, turned before the call
        int depth;
        int pit;
        int32_t code;
    };
    const Case cases[] = {
        // Playing 9 leaves 6 with one stone, which the reply from 5 captures to pass 24.
        {makeBoard({0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 22, 23}), 2, 3, 4097},
        {makeBoard({0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 22, 23}), 3, 3, 4097},
        // Every reply starves the mover and its store is below 24.
        {makeBoard({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 23, 21}), 2, 5, 4097},
    };
    for (const Case& c : cases) {
        const Board board = rotateboard(c.board);
        SCOPED_TRACE(show(board) + " depth " + std::to_string(c.depth));
        Values codes;
        Work work = freshWork();
        ReferenceEngine reference;
        reference.analyze(board, c.depth, codes.data(), work.data());
        EXPECT_EQ(codes[c.pit], c.code) << "reference";
        zeko::engine::analyze(board, c.depth, codes.data(), work.data());
        EXPECT_EQ(codes[c.pit], c.code) << "engine";
        ::analyze(board.data(), c.depth, codes.data(), work.data());
        EXPECT_EQ(codes[c.pit], c.code) << "export";
    }
}

TEST(AnalyzeCodes, StartPositionHasNoIllegalPit) {
    for (int depth = 1; depth <= 4; ++depth) {
        Values codes;
        Work work = freshWork();
        ::analyze(zeko::engine::kStartBoard.data(), depth, codes.data(), work.data());
        for (int32_t code : codes) {
            EXPECT_GE(code, -500) << depth;
            EXPECT_LE(code, 500) << depth;
        }
    }
}

TEST(AnalyzeArguments, DepthBelowOneWritesNothing) {
    ReferenceEngine reference;
    for (int32_t depth : {0, -1, INT32_MIN}) {
        Values codes;
        codes.fill(123);
        Work work = freshWork();
        EXPECT_EQ(reference.analyze(zeko::engine::kStartBoard, depth, codes.data(), work.data()),
                  0);
        EXPECT_EQ(::analyze(zeko::engine::kStartBoard.data(), depth, codes.data(), work.data()), 0);
        EXPECT_EQ(
            zeko::engine::analyze(zeko::engine::kStartBoard, depth, codes.data(), work.data()), 0);
        EXPECT_EQ(codes, (Values{123, 123, 123, 123, 123, 123}));
        EXPECT_EQ(work, freshWork());
    }
}

// checkmove and execmove along random games: the same legal pits, boards,
// trackers and results move after move.
TEST(Rules, RandomGamesMatchReference) {
    std::mt19937 rng(5);
    for (int game = 0; game < 300; ++game) {
        Board board = game % 3 == 0 ? zeko::engine::kStartBoard
                                    : randomEndgame(rng, 3 + game % 20, game % 2 == 0);
        const bool fromStart = game % 3 == 0;
        std::array<int32_t, 6> trackers{};
        bool top = !fromStart && game % 2 == 0;
        for (int ply = 0; ply < 200; ++ply) {
            const Board seen = top ? rotateboard(board) : board;
            std::vector<int> legal;
            for (int pit = 0; pit < 6; ++pit) {
                for (int32_t opening : {0, 1}) {
                    const int32_t expected = ReferenceEngine::checkmove(seen, pit, opening);
                    ASSERT_EQ(zeko::engine::checkmove(seen, pit, opening != 0), expected != 0)
                        << show(seen) << " pit " << pit << " opening " << opening;
                    ASSERT_EQ(::checkmove(seen.data(), pit, opening), expected);
                }
                if (ReferenceEngine::checkmove(seen, pit, fromStart && ply < 2))
                    legal.push_back(pit);
            }
            if (legal.empty()) break;
            const int pit = legal[std::uniform_int_distribution<size_t>(0, legal.size() - 1)(rng)] +
                            (top ? 6 : 0);
            SCOPED_TRACE(show(board) + " pit " + std::to_string(pit));

            Board expectedBoard = board;
            std::array<int32_t, 6> expectedTrackers = trackers;
            const int32_t expected =
                ReferenceEngine::execmove(expectedBoard, pit, expectedTrackers.data());

            Board exported = board;
            std::array<int32_t, 6> exportedTrackers = trackers;
            ASSERT_EQ(::execmove(exported.data(), pit, exportedTrackers.data()), expected);
            ASSERT_EQ(exported, expectedBoard);
            ASSERT_EQ(exportedTrackers, expectedTrackers);

            zeko::engine::RepetitionTracker pair[2];
            std::memcpy(pair, trackers.data(), sizeof pair);
            ASSERT_EQ(zeko::engine::execmove(board, pit, pair), expected);
            ASSERT_EQ(board, expectedBoard);
            std::array<int32_t, 6> internalTrackers;
            std::memcpy(internalTrackers.data(), pair, sizeof pair);
            ASSERT_EQ(internalTrackers, expectedTrackers);
            trackers = expectedTrackers;
            if (expected != 0) break;
            top = !top;
        }
    }
}

// The repetition limit met head on: the mover's tracker is primed with the
// sums its move will leave and a count just below or at the limit.
TEST(Rules, RepetitionLimitMatchesReference) {
    std::vector<Board> positions = endgames(17, 200, 1, 12, false);
    for (const Board& b : endgames(18, 200, 1, 12, true))
        positions.push_back(b);
    for (const Board& start : positions) {
        for (int pit = 0; pit < 12; ++pit) {
            if (start[pit] == 0) continue;
            const bool top = pit >= 6;
            Board after = start;
            std::array<int32_t, 6> probe{};
            ReferenceEngine::execmove(after, pit, probe.data());
            const int32_t bottom = probe[top ? 3 : 0];
            const int32_t topSum = probe[top ? 4 : 1];
            const int32_t s = bottom + topSum;
            for (int32_t count : {2 * s + 9, 2 * s + 10, INT32_MAX - 1, INT32_MAX}) {
                std::array<int32_t, 6> trackers = {9, 9, 5, 9, 9, 5};
                trackers[top ? 3 : 0] = bottom;
                trackers[top ? 4 : 1] = topSum;
                trackers[top ? 5 : 2] = count;
                SCOPED_TRACE(show(start) + " pit " + std::to_string(pit) + " count " +
                             std::to_string(count));
                Board expectedBoard = start;
                std::array<int32_t, 6> expectedTrackers = trackers;
                const int32_t expected =
                    ReferenceEngine::execmove(expectedBoard, pit, expectedTrackers.data());
                Board board = start;
                ASSERT_EQ(::execmove(board.data(), pit, trackers.data()), expected);
                ASSERT_EQ(board, expectedBoard);
                ASSERT_EQ(trackers, expectedTrackers);
                ASSERT_EQ(zeko::testing::totalStones(board), zeko::testing::totalStones(start));
                if (s < 10 && count >= 2 * s + 10) {
                    ASSERT_EQ(expected, 2);
                    ASSERT_EQ(row(board, 0) + row(board, 6), 0);
                }
            }
        }
    }
}

// The reference itself on the repetition rule, where it departs from a literal
// reading: a swept row is not paid out twice, and the count stops at its maximum.
TEST(Rules, RepetitionEndSharesTheStonesOnce) {
    // The top half takes the bottom's last stones with 11 (2 stones) and sweeps
    // its own 3; 4 + 0 stones were left by the move, and the count was at the limit.
    const Board start = makeBoard({1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2, 20, 21});
    Board board = start;
    std::array<int32_t, 6> trackers = {0, 0, 0, 0, 3, 2 * 3 + 10};
    ASSERT_EQ(ReferenceEngine::execmove(board, 11, trackers.data()), 2);
    EXPECT_EQ(board, makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 27, 21}));
    EXPECT_EQ(trackers[5], 17);

    board = start;
    trackers = {0, 0, 0, 0, 3, 2 * 3 + 10};
    EXPECT_EQ(::execmove(board.data(), 11, trackers.data()), 2);
    EXPECT_EQ(board, makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 27, 21}));

    const Board many = makeBoard({1, 0, 2, 0, 1, 4, 0, 3, 0, 1, 0, 2, 17, 17});
    board = many;
    trackers = {9, 5, INT32_MAX, 0, 0, 0};
    ASSERT_EQ(ReferenceEngine::execmove(board, 0, trackers.data()), 0);
    EXPECT_EQ(trackers, (std::array<int32_t, 6>{8, 6, 0, 0, 0, 0}));
    board = many;
    trackers = {8, 6, INT32_MAX, 0, 0, 0};
    ASSERT_EQ(ReferenceEngine::execmove(board, 0, trackers.data()), 0);
    EXPECT_EQ(trackers[2], INT32_MAX);
    board = many;
    trackers = {8, 6, INT32_MAX, 0, 0, 0};
    ASSERT_EQ(::execmove(board.data(), 0, trackers.data()), 0);
    EXPECT_EQ(trackers[2], INT32_MAX);
}

TEST(Findline, OnePlyWritesOnlyTheFirstMove) {
    ReferenceEngine reference;
    for (int first = 0; first < 6; ++first) {
        std::array<int32_t, 4> line;
        line.fill(kUntouched);
        Work work = freshWork();
        EXPECT_EQ(::findline(zeko::engine::kStartBoard.data(), 1, first, line.data(), work.data()),
                  1);
        EXPECT_EQ(line, (std::array<int32_t, 4>{first, kUntouched, kUntouched, kUntouched}));
        EXPECT_EQ(work, freshWork());
        EXPECT_EQ(reference.findline(zeko::engine::kStartBoard, 1, first, line.data(), work.data()),
                  1);
        EXPECT_EQ(reference.movesTried, 0);
    }
}

// Lines alternate the two rows in the caller's numbering and stop at a won
// game or a starving move.
TEST(Findline, LinesAlternateRowsAndStopAtTheEnd) {
    for (const Board& board : bottomPositions(3)) {
        std::array<int32_t, kWork> line;
        Work work = freshWork();
        Values codes;
        const int32_t best = ::analyze(board.data(), 4, codes.data(), work.data());
        const int32_t count = ::findline(board.data(), 5, best, line.data(), work.data());
        ASSERT_GE(count, 1);
        ASSERT_LE(count, 5);
        ASSERT_EQ(line[0], best);
        Board b = board;
        std::array<int32_t, 6> trackers{};
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(line[i] >= 6, i % 2 == 1) << show(board);
            const int32_t result = ::execmove(b.data(), line[i], trackers.data());
            // Only the last move of a short line may end the game.
            if (result != 0) {
                ASSERT_EQ(i, count - 1) << show(board);
            }
        }
    }
}

}  // namespace
