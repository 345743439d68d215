// Rules worked out by hand, for the points where the engine and the reference
// transcription could share a misreading; the search, held value for value to
// the reference, is anchored here through the rules it plays by. Boards read: cells 0-5
// (bottom row), 6-11 (top row), top store, bottom store.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "engine/rules.h"
#include "engine/zeko32.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using testing::makeBoard;

constexpr const char* kStart = "4 4 4 4 4 4 4 4 4 4 4 4 0 0";

TEST(HandChecked, OpeningAndFeedingRules) {
    const std::vector<std::pair<const char*, const char*>> rows = {
        // The board, then the legality of pits 0-6 (6 is the other row's) as the
        // opening move and later.
        {kStart, "0011110 1111110"},                           // pits 0 and 1 leave cell 6 at 4
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
        {"1 0 0 0 0 4 3 1 1 2 2 3 12 19", 5, "1 0 0 0 0 0 4 0 0 0 2 3 12 26", kGameOver},
        {"1 2 3 0 0 0 0 0 0 0 0 1 19 22", 11, "0 2 3 0 0 0 0 0 0 0 0 0 21 22", kPlayOn},
        // Taking the opponent's last stones sweeps the mover's own row into its store.
        {"22 0 0 0 0 0 0 0 0 0 0 0 13 13", 0, "0 0 0 0 0 0 0 0 0 0 0 0 13 35", kGameOver},
        {"1 0 0 0 0 0 0 0 0 3 2 1 17 24", 11, "0 0 0 0 0 0 0 0 0 0 0 0 24 24", kGameOver},
        // Above 24 ends the game, 24 does not.
        {"3 0 2 0 0 1 1 4 0 0 0 0 14 23", 5, "3 0 2 0 0 0 0 4 0 0 0 0 14 25", kGameOver},
        {"0 0 0 0 1 0 0 0 0 0 0 1 24 22", 4, "0 0 0 0 0 1 0 0 0 0 0 1 24 22", kPlayOn},
        // A record counts on when both sums repeat, else starts again.
        {"4 4 4 4 4 4 4 4 4 4 4 4 0 0|23 25 4", 2, "4 4 0 5 5 5 5 4 4 4 4 4 0 0|23 25 5", 0},
        {"4 4 4 4 4 4 4 4 4 4 4 4 0 0|22 26 4", 9, "5 5 4 4 4 4 4 4 4 0 5 5 0 0|26 22 0", 0},
        // With s < 10 stones left the game ends when the count passes 2 s + 10;
        // each side takes its row, a swept row only once.
        {"1 0 0 0 0 0 0 0 0 3 0 0 20 24|1 3 17", 0, "0 1 0 0 0 0 0 0 0 3 0 0 20 24|1 3 18", 0},
        {"1 0 0 0 0 0 0 0 0 3 0 0 20 24|1 3 18", 0, "0 0 0 0 0 0 0 0 0 0 0 0 23 25|1 3 19", 2},
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

}  // namespace
}  // namespace zeko::engine
