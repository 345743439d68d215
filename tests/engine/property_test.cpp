// Whole games played through the library's exports the way the program plays
// them: each move asked with checkmove from the mover's side, then made with
// execmove on the one board and tracker pair.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/board.h"
#include "engine/zeko32.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using zeko::testing::makeBoard;
using zeko::testing::totalStones;
using Trackers = std::array<int32_t, 6>;

std::vector<int> legalPits(const Board& board, bool topToMove, bool opening) {
    const Board seen = topToMove ? rotateboard(board) : board;
    std::vector<int> pits;
    for (int pit = 0; pit < kPitsPerRow; ++pit) {
        if (::checkmove(seen.data(), pit, opening ? 1 : 0) == 1) pits.push_back(pit);
    }
    return pits;
}

struct GameEnd {
    int32_t result = 0;  // 0 when the ply limit was reached
    int plies = 0;
};

// Plays random legal moves from board with side to move, checking after every
// move what must always hold.
GameEnd playRandomGame(Board& board, Trackers& trackers, bool topToMove, bool computerGame,
                       std::mt19937& rng, int maxPlies) {
    GameEnd end;
    for (int ply = 0; ply < maxPlies; ++ply) {
        // Two people clear the opening flag after the first move; against the
        // computer it stays set until the top half has moved once.
        const bool opening = ply == 0 || (computerGame && ply == 1);
        const std::vector<int> pits = legalPits(board, topToMove, opening);
        if (pits.empty()) {
            ADD_FAILURE() << "a game that goes on left the side to move no move, ply " << ply;
            return end;
        }
        const int pit = pits[std::uniform_int_distribution<size_t>(0, pits.size() - 1)(rng)];
        const Trackers before = trackers;
        const int32_t result =
            ::execmove(board.data(), topToMove ? pit + kPitsPerRow : pit, trackers.data());
        end.plies = ply + 1;

        EXPECT_EQ(totalStones(board), kStones);
        for (const int32_t cell : board)
            EXPECT_GE(cell, 0);
        const int mover = topToMove ? 3 : 0;
        const int other = topToMove ? 0 : 3;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(trackers[other + i], before[other + i]);
        if (result == 0) {
            // The record holds the rows as the move left them.
            EXPECT_EQ(trackers[mover], bottomRowStones(board));
            EXPECT_EQ(trackers[mover + 1], topRowStones(board));
            EXPECT_LE(board[kTopStore], 24);
            EXPECT_LE(board[kBottomStore], 24);
            EXPECT_GT(topToMove ? bottomRowStones(board) : topRowStones(board), 0)
                << "the next side has nothing to play";
        } else if (result == 1) {
            EXPECT_TRUE(board[kTopStore] > 24 || board[kBottomStore] > 24 ||
                        board[kTopStore] + board[kBottomStore] == kStones);
        } else {
            EXPECT_EQ(result, 2);
            EXPECT_EQ(bottomRowStones(board) + topRowStones(board), 0);
            EXPECT_EQ(board[kTopStore] + board[kBottomStore], kStones);
        }
        if (::testing::Test::HasFailure() || result != 0) {
            end.result = result;
            return end;
        }
        topToMove = !topToMove;
    }
    return end;
}

TEST(RandomGames, FromTheStartKeepEveryRule) {
    int ended = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 rng(seed);
        Board board = kStartBoard;
        Trackers trackers{};
        const GameEnd end =
            playRandomGame(board, trackers, seed % 3 == 0, seed % 2 == 0, rng, 2000);
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
        if (end.result != 0) ++ended;
    }
    // Random play almost always ends a game long before the limit.
    EXPECT_GT(ended, 250);
}

TEST(RandomGames, WithFewStonesLeftKeepEveryRule) {
    // Positions with few stones on the board, where repetition can end a game.
    int byRepetition = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 rng(seed);
        const int onBoard = 2 + static_cast<int>(seed % 8);
        Board board{};
        for (int s = 0; s < onBoard; ++s)
            ++board[std::uniform_int_distribution<int>(0, 11)(rng)];
        if (bottomRowStones(board) == 0) ++board[0];
        board[kTopStore] = (kStones - totalStones(board)) / 2;
        board[kBottomStore] = kStones - totalStones(board);
        if (topRowStones(board) == 0) continue;  // the bottom half would have to starve it
        Trackers trackers{};
        const GameEnd end = playRandomGame(board, trackers, false, false, rng, 2000);
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
        if (end.result == 2) ++byRepetition;
    }
    EXPECT_GT(byRepetition, 0);
}

// One stone in each row, each side's only move every time. The stones chase
// each other round the board; whenever the bottom's stone crosses, the top
// half's reply brings one back, so the top half's moves all leave the rows at
// 1 and 1 while the bottom's record restarts once a round. With 2 stones the
// top half's 16th move (count 15 > 2 x 2 + 10) ends the game at ply 32, and
// each side takes the stone in its row.
TEST(ForcedGame, EndsByRepetitionWithAllStonesStored) {
    Board board = makeBoard({1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 23, 23});
    Trackers trackers{};
    bool topToMove = false;
    int32_t result = 0;
    int ply = 0;
    while (result == 0 && ply < 100) {
        const std::vector<int> pits = legalPits(board, topToMove, false);
        ASSERT_EQ(pits.size(), 1u) << "ply " << ply;
        result =
            ::execmove(board.data(), topToMove ? pits[0] + kPitsPerRow : pits[0], trackers.data());
        ++ply;
        topToMove = !topToMove;
    }
    EXPECT_EQ(result, 2);
    EXPECT_EQ(ply, 32);
    EXPECT_EQ(board, makeBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}));
    EXPECT_EQ(trackers[3], 1);
    EXPECT_EQ(trackers[4], 1);
    EXPECT_EQ(trackers[5], 15);
}

}  // namespace
}  // namespace zeko::engine
