// Cases worked out by hand from the rules, for the points where the engine and
// the reference transcription could share a misreading. Boards read: cells 0-5
// (bottom row), 6-11 (top row), top store, bottom store.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "engine/analysis.h"
#include "engine/evaluate.h"
#include "engine/rules.h"
#include "engine/search.h"
#include "engine/zeko32.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using testing::makeBoard;
using Six = std::array<int32_t, kPitsPerRow>;

constexpr int32_t X = kCodeIllegal;  // an empty or starving pit's code
constexpr int32_t kAny = INT32_MIN;  // a value the row does not pin down
constexpr const char* kStart = "4 4 4 4 4 4 4 4 4 4 4 4 0 0";

// A position, an argument (pit, depth, level or plies) and what comes back.
struct Row {
    const char* board;
    int arg;
    int32_t result;
    Six values = {kAny, kAny, kAny, kAny, kAny, kAny};
};

void expectValues(const Six& actual, const Six& expected) {
    for (int k = 0; k < kPitsPerRow; ++k)
        EXPECT_TRUE(expected[k] == kAny || actual[k] == expected[k]) << k << ": " << actual[k];
}

TEST(HandChecked, OpeningAndFeedingRules) {
    const std::vector<std::pair<const char*, const char*>> rows = {
        // The board, then the legality of pits 0-6 (6 is the other row's) as the
        // opening move and later.
        {kStart, "0011110 1111110"},                           // pits 0 and 1 leave cell 6 at 4
        {"0 0 0 0 0 1 3 2 0 0 0 0 21 21", "0000000 0000010"},  // however cell 6 gets to 4
        {"0 0 0 0 0 1 1 3 0 0 0 0 21 22", "0000010 0000010"},  // cell 6 taken, not at 4
        // Pit 0 feeds but breaks the opening rule; the feeding rule still counts it.
        {"17 0 0 0 0 1 2 0 0 0 0 0 14 14", "0000000 1000000"},
        {"0 5 0 0 0 3 1 0 0 0 0 0 19 20", "0000010 0000010"},  // the feeding pit comes later
        {"0 0 0 0 0 1 1 0 0 0 0 0 23 23", "0000010 0000010"},  // none feeds: starving allowed
        {"1 0 3 0 0 0 0 0 0 0 0 0 20 24", "1010000 1010000"},  // nothing left to feed
    };
    for (const auto& [text, legal] : rows) {
        const Board board = makeBoard(text);
        std::string actual;
        for (int32_t opening : {1, 0}) {
            for (int pit = 0; pit <= kPitsPerRow; ++pit)
                actual += ::checkmove(board.data(), pit, opening) ? '1' : '0';
            actual += opening ? " " : "";
        }
        EXPECT_EQ(actual, legal) << text;
    }
}

// Moves through the export: the board after and the result. "cells|record"
// adds the mover's record of the row sums its last move left and of how many
// of its moves in a row left them; the other side's record, {7, 8, 9}, stays.
TEST(HandChecked, SowingCapturesAndTheEndOfTheGame) {
    const std::vector<std::tuple<const char*, int, const char*, int32_t>> rows = {
        // Eleven stones end just before the origin; the twelfth passes over it.
        {"1 1 1 11 1 1 1 1 1 1 1 1 13 13", 3, "2 2 2 0 2 2 2 2 2 2 2 2 13 13", kPlayOn},
        {"0 0 0 0 0 12 0 0 0 0 0 0 18 18", 5, "1 1 1 1 1 0 0 1 1 1 1 1 18 20", kPlayOn},
        // 2s and 3s taken from the last pit down to the edge of the row or a 1 or 4.
        {"0 0 0 0 5 1 1 2 1 1 1 0 18 18", 4, "0 0 0 0 0 2 0 0 0 0 1 0 18 27", kGameOver},
        {"1 0 0 0 0 4 3 1 1 2 2 3 12 19", 5, "1 0 0 0 0 0 4 0 0 0 2 3 12 26", kGameOver},
        {"0 0 0 5 0 0 1 0 2 0 0 0 20 20", 3, "0 0 0 0 1 1 2 1 0 0 0 0 20 23", kPlayOn},
        {"1 2 3 0 0 0 0 0 0 0 0 1 19 22", 11, "0 2 3 0 0 0 0 0 0 0 0 0 21 22", kPlayOn},
        // Taking the opponent's last stones sweeps the mover's own row into its store.
        {"22 0 0 0 0 0 0 0 0 0 0 0 13 13", 0, "0 0 0 0 0 0 0 0 0 0 0 0 13 35", kGameOver},
        {"0 0 0 3 2 1 1 0 0 0 0 0 24 17", 5, "0 0 0 0 0 0 0 0 0 0 0 0 24 24", kGameOver},
        {"1 0 0 0 0 0 0 0 0 3 2 1 17 24", 11, "0 0 0 0 0 0 0 0 0 0 0 0 24 24", kGameOver},
        // Above 24 ends the game, 24 does not.
        {"3 0 2 0 0 1 1 4 0 0 0 0 14 23", 5, "3 0 2 0 0 0 0 4 0 0 0 0 14 25", kGameOver},
        {"0 0 0 0 1 0 0 0 0 0 0 1 24 22", 4, "0 0 0 0 0 1 0 0 0 0 0 1 24 22", kPlayOn},
        // A record counts on when both sums repeat, else starts again.
        {"4 4 4 4 4 4 4 4 4 4 4 4 0 0|23 25 4", 2, "4 4 0 5 5 5 5 4 4 4 4 4 0 0|23 25 5", 0},
        {"4 4 4 4 4 4 4 4 4 4 4 4 0 0|22 26 4", 9, "5 5 4 4 4 4 4 4 4 0 5 5 0 0|26 22 0", 0},
        {"4 4 4 4 4 4 4 4 4 4 4 4 0 0|22 9 4", 3, "4 4 4 0 5 5 5 5 4 4 4 4 0 0|22 26 0", 0},
        // With s < 10 stones left the game ends when the count passes 2 s + 10;
        // each side takes its row, a swept row only once.
        {"1 0 0 0 0 0 0 0 0 3 0 0 20 24|1 3 17", 0, "0 1 0 0 0 0 0 0 0 3 0 0 20 24|1 3 18", 0},
        {"1 0 0 0 0 0 0 0 0 3 0 0 20 24|1 3 18", 0, "0 0 0 0 0 0 0 0 0 0 0 0 23 25|1 3 19", 2},
        {"1 0 0 0 0 0 0 0 0 9 0 0 18 20|1 9 98", 0, "0 1 0 0 0 0 0 0 0 9 0 0 18 20|1 9 99", 0},
        {"1 0 0 0 0 0 0 0 0 0 0 0 24 23|1 0 12", 0, "0 0 0 0 0 0 0 0 0 0 0 0 24 24|1 0 13", 2},
        {"0 0 0 0 0 1 2 0 0 2 0 0 21 22|0 2 14", 5, "0 0 0 0 0 0 0 0 0 0 0 0 23 25|0 2 15", 2},
        // The count stays at its maximum.
        {"1 0 0 0 0 0 1 0 0 0 0 0 23 23|1 1 2147483647", 0,
         "0 0 0 0 0 0 0 0 0 0 0 0 24 24|1 1 2147483647", 2},
    };
    const auto read = [](std::string_view text, int mover) {
        testing::Trackers trackers = {7, 8, 9, 7, 8, 9};
        const size_t bar = std::min(text.find('|'), text.size());
        std::istringstream record{std::string(text.substr(bar + (bar < text.size())))};
        record >> trackers[mover] >> trackers[mover + 1] >> trackers[mover + 2];
        return std::pair{makeBoard(text.substr(0, bar)), trackers};
    };
    for (const auto& [before, pit, after, result] : rows) {
        const int mover = pit < kPitsPerRow ? 0 : 3;
        auto [board, trackers] = read(before, mover);
        const bool recorded = std::string_view(before).find('|') != std::string_view::npos;
        EXPECT_EQ(::execmove(board.data(), pit, trackers.data()), result) << before;
        EXPECT_EQ(board, read(after, mover).first) << before;
        EXPECT_TRUE(!recorded || trackers == read(after, mover).second) << before;
    }
}

// Seen from the side that has just moved, which owns cells 0-5.
TEST(HandChecked, EvaluationPhases) {
    const std::vector<std::pair<const char*, int32_t>> rows = {
        {"0 1 2 3 4 5 5 5 5 5 5 3 0 0", -10},    // empty and single pits, landings
        {"0 0 0 0 7 12 0 0 0 0 11 13 3 2", 34},  // landings that wrap; 11 lands on its pit
        {"1 2 0 4 5 3 0 1 0 0 0 0 16 15", 64},   // 31 stored: still the opening
        {"1 2 0 4 5 3 0 1 0 0 0 0 16 16", 2},    // 32: the middle
        {"2 1 0 0 0 12 1 0 0 0 0 0 16 16", 7},   // the last pit of a row is ignored
        {"4 0 5 0 0 0 0 0 0 6 0 0 16 17", 12},   // big pits count against their owner
        {"3 0 0 0 0 0 0 0 0 0 5 0 20 20", 30},   // 40: the end, three times the reserves
    };
    for (const auto& [board, value] : rows)
        EXPECT_EQ(evaluate(makeBoard(board)), value) << board;
}

// The pit chosen at a level: the shortcuts (also at level 9, whose full search
// would take long), the tie rule and the depth schedule.
TEST(HandChecked, FindmoveShortcutsAndSchedule) {
    const std::vector<Row> rows = {
        {"4 4 4 4 4 4 0 0 0 0 0 0 10 14", 0, 6},   // no stones
        {"3 4 2 5 1 3 0 0 0 12 0 0 9 9", 0, 9},    // a single pit
        {"1 0 0 0 0 0 0 0 0 0 0 1 23 23", 0, 11},  // a single pit that starves
        {"1 0 0 0 0 0 0 0 0 0 2 1 22 22", 0, 11},  // all starve: the highest
        {"1 0 0 0 0 0 15 0 0 0 2 1 14 15", 0, 6},  // the one feeding pit
        {"1 2 3 1 2 1 3 2 1 4 2 2 21 3", 0, 9},    // the first quick win
        {"2 2 1 2 0 0 3 5 4 1 2 2 24 0", 0, 6},    // 500 at one ply, before a win
        {"0 0 0 0 2 2 1 0 0 0 1 0 18 24", 3, 6},   // ties go to the lowest pit
    };
    for (const Row& row : rows) {
        // A shortcut (level 0 in the table) answers at level 1 and at 9 alike.
        for (int level : row.arg ? std::vector{row.arg} : std::vector{1, 9})
            ASSERT_EQ(findmove(makeBoard(row.board), level), row.result) << row.board << level;
    }
    // Plies added to the level by the stones stored.
    const std::vector<std::pair<int, int>> schedule = {
        {27, 0}, {28, 1}, {33, 1}, {34, 2}, {37, 2}, {38, 3}, {40, 3}, {41, 4}, {kStones, 4}};
    for (const auto& [stored, extra] : schedule) {
        Board b{};
        b[kBottomStore] = stored;
        EXPECT_EQ(searchdepth(b, 9), 9 + extra) << stored;
    }
}

// The top half to move, analysed on the board turned: the best pit and its
// codes, wins 8192 + n and losses 4096 + n for the n-th move, empty and
// starving pits illegal; a line in the turned board's numbering.
TEST(HandChecked, SearchValuesCodesAndLines) {
    const std::vector<Row> codes = {
        {"0 1 0 0 2 0 0 0 0 3 0 1 20 21", 1, 3, {X, X, X, -44, X, -47}},  // end phase, store lead
        {"0 0 0 1 0 0 1 0 0 0 0 5 24 17", 3, 0, {8194, X, X, X, X, kAny}},
        {"1 0 0 0 0 5 0 0 1 0 0 0 17 24", 4, 2, {X, X, 4098, X, X, X}},
        // Starving moves are illegal unless every move starves.
        {"1 0 0 0 0 0 0 0 0 0 1 1 23 22", 1, 4, {X, X, X, X, kAny, X}},
        {"0 0 0 0 0 0 0 1 0 1 0 0 23 23", 3, 1, {X, 8193, X, 8193, X, X}},
        // Every reply starves the mover: a loss below 24 in its store, 250 at 24.
        {"1 0 0 0 2 1 1 0 0 0 0 1 20 22", 2, kAny, {kAny, X, X, X, X, 4097}},
        {"1 0 0 0 2 1 1 0 0 0 0 1 22 20", 2, kAny, {kAny, X, X, X, X, -250}},
        // A mover that empties its own row is followed a ply further.
        {"0 0 0 0 0 2 0 0 0 0 0 1 22 23", 1, 5, {X, X, X, X, X, -8}},
    };
    for (const Row& row : codes) {
        SCOPED_TRACE(row.board);
        Six values;
        int32_t work[kWorkSize];
        const int32_t best =
            analyze(rotateboard(makeBoard(row.board)), row.arg, values.data(), work);
        EXPECT_TRUE(row.result == kAny || best == row.result) << best;
        expectValues(values, row.values);
    }
    const std::vector<std::pair<Row, std::vector<int32_t>>> lines = {
        {{"1 0 0 0 0 5 0 0 1 0 0 0 17 24", 8, 2}, {2, 6, 3, 11}},  // ends with the win
        {{"0 0 0 0 0 0 0 1 0 1 0 0 23 23", 4, 1}, {1}},            // a first move that starves
    };
    for (const auto& [row, expected] : lines) {
        std::vector<int32_t> line(kWorkSize, kAny);
        int32_t work[kWorkSize];
        const Board board = rotateboard(makeBoard(row.board));
        line.resize(findline(board, row.arg, row.result, line.data(), work));
        EXPECT_EQ(line, expected) << row.board;
    }
}

}  // namespace
}  // namespace zeko::engine
