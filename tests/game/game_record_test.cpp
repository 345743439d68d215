// The game record and the operations that rebuild a position from its move
// list: new game, set-up position, rebuild after a load, take-back, replay and
// pass. After every operation the board and trackers must be what playing the
// moves before MoveNumber from the start gives.
#include "game/game_record.h"

#include <gtest/gtest.h>

#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

// A position with the bottom half to move in which it makes a quiet move (pit 0),
// the top half has the single move 10, and the bottom half's six stones from
// pit 5 then capture two in pit 11 and pass 24.
constexpr Board kHumanWinsOnThirdMove = {1, 0, 0, 0, 0, 6, 0, 0, 0, 0, 1, 0, 16, 24};

class GameRecordTest : public ::testing::Test {
  protected:
    platform::EngineLibrary engine;
    Rules rules{engine};
    GameRecord record;

    void SetUp() override { record.NewGame(); }

    // A move as play makes it: played, recorded, the turn handed over, the
    // opening flag cleared by the first move that clears it.
    int32_t Move(int pit) {
        EXPECT_TRUE(rules.Legal(record.Board, pit > 5, pit, record.OpeningFlag))
            << "pit " << pit << " on " << Show(record.Board);
        const int32_t r = record.Execute(engine, pit);
        record.RecordMove(pit);
        record.TopToMove = pit < 6;
        if (!record.ComputerGame || pit > 5) record.OpeningFlag = false;
        if (r != 0) record.GameOver = true;
        return r;
    }

    int FirstLegal() {
        const auto pits = rules.LegalPits(record.Board, record.TopToMove, record.OpeningFlag);
        EXPECT_FALSE(pits.empty());
        return pits.empty() ? -1 : pits.front();
    }

    // Plays the first legal pit of the side to move, count times.
    void MoveFirstLegal(int count) {
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(Move(FirstLegal()), 0);
    }

    Board Start() const { return record.StandardStart ? kStandardStart : record.StartBoard; }

    // The board after the first count recorded moves, with fresh trackers.
    std::pair<Board, std::array<int32_t, 6>> After(int count) {
        Board board = Start();
        std::array<int32_t, 6> trackers{};
        for (int k = 1; k <= count; ++k)
            rules.Play(board, trackers, record.Moves[static_cast<size_t>(k)]);
        return {board, trackers};
    }

    void ExpectConsistent() {
        EXPECT_GE(record.MoveNumber, 1);
        EXPECT_LE(record.MoveNumber, record.MoveCount + 1);
        EXPECT_GE(record.Moves.size(), 21u);
        EXPECT_EQ((record.Moves.size() - 21) % 20, 0u) << record.Moves.size();
        const auto [board, trackers] = After(record.MoveNumber - 1);
        EXPECT_EQ(record.Board, board) << Show(record.Board) << " vs " << Show(board);
        EXPECT_EQ(record.Trackers, trackers);
    }
};

TEST_F(GameRecordTest, NewGameStartsFromTheStandardPositionAndKeepsPlayersAndLevel) {
    record.Board = {1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 6, 6};
    record.Trackers = {1, 2, 3, 4, 5, 6};
    record.RecordMove(2);
    record.RecordMove(9);
    record.OpeningFlag = false;
    record.TopToMove = true;
    record.GameOver = true;
    record.StandardStart = false;
    record.RecordNumber = 7;
    record.ComputerGame = false;
    record.Level = 6;
    record.NameBottomHalf = "Ann";
    record.NameTopHalf = "Bob";
    record.StartBoard = {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 23, 23};
    record.GameDate = 36526.5;

    record.NewGame();

    EXPECT_EQ(record.Board, kStandardStart);
    int stones = 0;
    for (int32_t cell : record.Board)
        stones += cell;
    EXPECT_EQ(stones, 48);
    EXPECT_EQ(record.Trackers, (std::array<int32_t, 6>{}));
    EXPECT_EQ(record.MoveNumber, 1);
    EXPECT_EQ(record.MoveCount, 0);
    EXPECT_EQ(record.Moves.size(), 21u);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_TRUE(record.OpeningFlag);
    EXPECT_FALSE(record.GameOver);
    EXPECT_TRUE(record.StandardStart);
    EXPECT_EQ(record.RecordNumber, 0);
    EXPECT_FALSE(record.ComputerGame);
    EXPECT_EQ(record.Level, 6);
    EXPECT_EQ(record.NameBottomHalf, "Ann");
    EXPECT_EQ(record.NameTopHalf, "Bob");
    EXPECT_EQ(record.StartBoard, (Board{0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 23, 23}));
    EXPECT_EQ(record.GameDate, 36526.5);
}

TEST_F(GameRecordTest, MovesGrowByTwentyEntriesWithoutLosingAMove) {
    const std::vector<std::pair<int, size_t>> sizeAfter = {{20, 21}, {21, 41}, {40, 41},
                                                           {41, 61}, {60, 61}, {61, 81}};
    int recorded = 0;
    for (const auto& [moves, size] : sizeAfter) {
        for (; recorded < moves; ++recorded)
            record.RecordMove((recorded + 1) % 12);
        EXPECT_EQ(record.Moves.size(), size) << "after " << moves << " moves";
        EXPECT_EQ(record.MoveCount, moves);
        EXPECT_EQ(record.MoveNumber, moves + 1);
    }
    for (int k = 1; k <= recorded; ++k)
        EXPECT_EQ(record.Moves[static_cast<size_t>(k)], k % 12);
}

TEST_F(GameRecordTest, TwoPeopleTakeBackAndReplayOneMoveAtATime) {
    record.ComputerGame = false;
    MoveFirstLegal(3);
    const auto third = record.Moves[3];

    record.TakeBack(engine);
    EXPECT_EQ(record.MoveNumber, 3);
    EXPECT_EQ(record.MoveCount, 3);
    EXPECT_FALSE(record.TopToMove);  // the bottom half made the third move
    EXPECT_FALSE(record.OpeningFlag);
    ExpectConsistent();

    EXPECT_EQ(record.Replay(engine), 0);
    EXPECT_EQ(record.MoveNumber, 4);
    EXPECT_EQ(record.Moves[3], third);
    EXPECT_TRUE(record.TopToMove);
    ExpectConsistent();

    for (int left = 3; left >= 1; --left) {
        record.TakeBack(engine);
        EXPECT_EQ(record.MoveNumber, left);
        EXPECT_EQ(record.TopToMove, left % 2 == 0);
        EXPECT_EQ(record.OpeningFlag, left == 1);
        ExpectConsistent();
    }
    EXPECT_EQ(record.Board, kStandardStart);
    EXPECT_EQ(record.MoveCount, 3);
}

TEST_F(GameRecordTest, ComputerGameTakeBackRemovesThePersonsMoveWithTheReply) {
    record.ComputerGame = true;
    MoveFirstLegal(4);  // person, computer, person, computer
    const auto after4 = record.Board;

    record.TakeBack(engine);
    EXPECT_EQ(record.MoveNumber, 3);
    EXPECT_EQ(record.MoveCount, 4);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_FALSE(record.OpeningFlag);
    ExpectConsistent();

    // One replay step brings back the person's move and the reply.
    EXPECT_EQ(record.Replay(engine), 0);
    EXPECT_EQ(record.MoveNumber, 5);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_EQ(record.Board, after4);
    ExpectConsistent();

    record.TakeBack(engine);
    record.TakeBack(engine);
    EXPECT_EQ(record.MoveNumber, 1);
    EXPECT_TRUE(record.OpeningFlag);
    EXPECT_FALSE(record.TopToMove);
    ExpectConsistent();
}

TEST_F(GameRecordTest, TakeBackOfAPersonsMoveThatEndedTheGameRemovesOnlyThatMove) {
    record.ComputerGame = true;
    record.AdoptPosition(kHumanWinsOnThirdMove, false);
    ASSERT_EQ(Move(0), 0);
    ASSERT_EQ(rules.LegalPits(record.Board, true, false), std::vector<int>{10});
    ASSERT_EQ(Move(10), 0);
    ASSERT_EQ(Move(5), 1);
    ASSERT_GT(record.Board[kBottomStore], 24);

    record.TakeBack(engine);
    EXPECT_FALSE(record.GameOver);
    EXPECT_EQ(record.MoveNumber, 3);
    EXPECT_EQ(record.MoveCount, 3);
    EXPECT_FALSE(record.TopToMove);
    ExpectConsistent();

    // Replaying the person's move alone ends the game again.
    EXPECT_EQ(record.Replay(engine), 1);
    EXPECT_EQ(record.MoveNumber, 4);
    ExpectConsistent();
}

TEST_F(GameRecordTest, ANewMoveAfterTakeBackCutsOffTheOldContinuation) {
    record.ComputerGame = false;
    MoveFirstLegal(4);
    record.TakeBack(engine);
    record.TakeBack(engine);
    ASSERT_EQ(record.MoveNumber, 3);
    ASSERT_EQ(record.MoveCount, 4);

    const auto pits = rules.LegalPits(record.Board, false, false);
    ASSERT_GE(pits.size(), 1u);
    Move(pits.back());
    EXPECT_EQ(record.MoveCount, 3);
    EXPECT_EQ(record.MoveNumber, 4);
    EXPECT_EQ(record.Moves[3], pits.back());
    ExpectConsistent();
}

TEST_F(GameRecordTest, TakingBackEveryMoveOfASetUpGameRestoresItsStartWithTheBottomHalfToMove) {
    record.ComputerGame = false;
    const Board position = {0, 3, 1, 0, 5, 2, 1, 0, 6, 2, 0, 2, 14, 12};
    record.RecordNumber = 5;
    record.AdoptPosition(position, true);
    EXPECT_FALSE(record.OpeningFlag);
    EXPECT_FALSE(record.StandardStart);
    EXPECT_EQ(record.StartBoard, position);
    EXPECT_EQ(record.RecordNumber, 5);
    EXPECT_TRUE(record.TopToMove);
    MoveFirstLegal(3);
    ExpectConsistent();

    for (int i = 0; i < 3; ++i)
        record.TakeBack(engine);
    EXPECT_EQ(record.Board, position);
    EXPECT_EQ(record.Trackers, (std::array<int32_t, 6>{}));
    EXPECT_EQ(record.MoveNumber, 1);
    EXPECT_EQ(record.MoveCount, 3);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_TRUE(record.OpeningFlag);
    ExpectConsistent();
}

TEST_F(GameRecordTest, APassAtTheStartIsNotRecordedAndATakeBackToTheStartUndoesIt) {
    record.ComputerGame = false;
    record.Pass();
    EXPECT_TRUE(record.TopToMove);
    EXPECT_TRUE(record.OpeningFlag);
    EXPECT_EQ(record.MoveNumber, 1);
    EXPECT_EQ(record.MoveCount, 0);

    // Nothing recorded yet: the take-back stays at the start (n is never below 0).
    record.TakeBack(engine);
    EXPECT_EQ(record.MoveNumber, 1);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_EQ(record.Board, kStandardStart);
    ExpectConsistent();

    record.Pass();
    ASSERT_EQ(Move(8), 0);
    EXPECT_EQ(record.Moves[1], 8);
    record.TakeBack(engine);
    EXPECT_EQ(record.MoveNumber, 1);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_TRUE(record.OpeningFlag);
    ExpectConsistent();

    // The top half's recorded first move, replayed, hands the turn to the bottom half.
    EXPECT_EQ(record.Replay(engine), 0);
    EXPECT_EQ(record.MoveNumber, 2);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_FALSE(record.OpeningFlag);
    ExpectConsistent();
}

TEST_F(GameRecordTest, ComputerGameTakeBackAfterAPassKeepsTheComputersOpeningMove) {
    record.ComputerGame = true;
    record.Pass();
    MoveFirstLegal(3);  // computer, person, computer
    record.TakeBack(engine);
    EXPECT_EQ(record.MoveNumber, 2);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_FALSE(record.OpeningFlag);
    ExpectConsistent();

    record.TakeBack(engine);
    EXPECT_EQ(record.MoveNumber, 1);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_TRUE(record.OpeningFlag);
    ExpectConsistent();
}

TEST_F(GameRecordTest, ReplayingAPersonsMoveRecordedLastNeverReadsBeyondTheRecord) {
    record.ComputerGame = true;
    MoveFirstLegal(4);
    record.TakeBack(engine);  // back to move 3, moves 3 and 4 kept for replay
    const auto pits = rules.LegalPits(record.Board, false, false);
    const int other = pits.front() == record.Moves[3] ? pits.back() : pits.front();
    ASSERT_NE(other, record.Moves[3]);
    ASSERT_EQ(Move(other), 0);  // the record now ends with the person's move
    ASSERT_EQ(record.MoveCount, 3);
    const auto stale = record.Moves[4];
    ASSERT_GT(stale, 5);

    record.TakeBack(engine);
    ASSERT_EQ(record.MoveNumber, 3);
    record.TakeBack(engine);
    ASSERT_EQ(record.MoveNumber, 1);
    EXPECT_EQ(record.Replay(engine), 0);
    EXPECT_EQ(record.MoveNumber, 3);
    EXPECT_EQ(record.Replay(engine), 0);
    EXPECT_EQ(record.MoveNumber, 4);
    EXPECT_EQ(record.Moves[4], stale);
    EXPECT_TRUE(record.TopToMove);  // the computer answers next
    ExpectConsistent();
}

TEST_F(GameRecordTest, RebuildAfterLoadPlaysTheMovesBeforeMoveNumber) {
    record.ComputerGame = true;
    MoveFirstLegal(6);
    const auto moves = record.Moves;

    for (int moveNumber : {1, 2, 5, 7}) {
        SCOPED_TRACE(moveNumber);
        record.Board = {9, 9, 9, 9, 9, 3, 0, 0, 0, 0, 0, 0, 0, 0};
        record.Trackers = {7, 7, 7, 7, 7, 7};
        record.OpeningFlag = moveNumber >= 2;
        record.Moves = moves;
        record.MoveNumber = static_cast<int16_t>(moveNumber);
        record.MoveCount = 6;
        record.StandardStart = true;
        record.RebuildAfterLoad(engine);
        EXPECT_EQ(record.OpeningFlag, moveNumber < 2);
        ExpectConsistent();
    }
}

TEST_F(GameRecordTest, RepetitionStateIsRebuiltByTakeBackAndReplay) {
    // Two people shuffle single stones; the trackers count the repeats, and a
    // take-back must leave them as playing the kept moves from scratch does.
    record.ComputerGame = false;
    record.AdoptPosition({1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 23, 23}, false);
    MoveFirstLegal(6);
    EXPECT_NE(record.Trackers, (std::array<int32_t, 6>{}));
    const auto trackers = record.Trackers;
    record.TakeBack(engine);
    ExpectConsistent();
    record.Replay(engine);
    EXPECT_EQ(record.Trackers, trackers);
    ExpectConsistent();
}

}  // namespace
}  // namespace zeko::game::testing
