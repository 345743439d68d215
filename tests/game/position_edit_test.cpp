// The editor's rules: stones moved one at a time with 48 always on the board,
// which set-ups may be accepted with which side to move, and play going on
// from an accepted set-up, also one whose side to move has no stone.
#include "game/position_edit.h"

#include <numeric>

#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

int32_t Sum(const Board& board) {
    return std::accumulate(board.begin(), board.end(), 0);
}

TEST(PositionEdit, StonesComeFromTheFullerStoreAndGoToTheEmptierOne) {
    // The stores and pit 3 before, the cell clicked and the change; the stores
    // and pit 3 after (the same when nothing happens). A tie gives from the top
    // half's store and takes to the bottom half's; then no stone to add, none
    // to take; then the stores' displays: +1 into the store clicked, -1 out of
    // it, also when a store is empty.
    struct Row {
        int32_t top, bottom, pit, cell, change, topAfter, bottomAfter, pitAfter;
    };
    const int T = kTopStore, B = kBottomStore;
    const Row rows[] = {
        {24, 24, 0, 3, +1, 23, 24, 1}, {10, 14, 0, 3, +1, 10, 13, 1}, {14, 10, 0, 3, +1, 13, 10, 1},
        {10, 14, 1, 3, -1, 11, 14, 0}, {14, 10, 1, 3, -1, 14, 11, 0}, {12, 12, 1, 3, -1, 12, 13, 0},
        {0, 0, 0, 3, +1, 0, 0, 0},     {24, 23, 0, 3, -1, 24, 23, 0}, {10, 14, 0, T, +1, 11, 13, 0},
        {10, 14, 0, T, -1, 9, 15, 0},  {10, 14, 0, B, +1, 9, 15, 0},  {10, 14, 0, B, -1, 11, 13, 0},
        {10, 0, 0, T, +1, 10, 0, 0},   {0, 10, 0, T, -1, 0, 10, 0},   {0, 10, 0, B, +1, 0, 10, 0},
        {10, 0, 0, B, -1, 10, 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << row.top << "/" << row.bottom << " cell " << row.cell << " " << row.change);
        Board board{};
        board[3] = row.pit;
        board[kTopStore] = row.top;
        board[kBottomStore] = row.bottom;
        // The rest of the 48 stones lie in pit 7, which no row clicks.
        board[7] = engine::kStones - Sum(board);
        const Board before = board;
        const int mask = ChangeStones(board, row.cell, row.change);
        EXPECT_EQ(std::tuple(board[kTopStore], board[kBottomStore], board[3], Sum(board)),
                  std::tuple(row.topAfter, row.bottomAfter, row.pitAfter, engine::kStones));
        EXPECT_EQ(mask == 0, board == before);
        // The pits to redraw: the one clicked, and only when it changed.
        EXPECT_EQ(mask & kAllPitsMask, board[3] != before[3] ? CellBit(3) : 0);
    }
    // Clear puts every stone in the stores, half in each.
    Board board = engine::kStartBoard;
    ClearBoard(board);
    EXPECT_EQ(board, (Board{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}));
}

TEST(PositionEdit, TheBoxNamesTheOnlyHalfThatCanMove) {
    platform::EngineLibrary engine;
    // The set-up; whether it may be accepted, the bottom half can move and the
    // top half can; then the box (enabled, checked) from a cleared and from a
    // checked box.
    const std::pair<Board, std::string> rows[] = {
        {engine::kStartBoard, "111 10 11"},
        {{0, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, 12, 12}, "101 11 11"},
        {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 23, 24}, "110 10 10"},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 23, 25}, "000"},
        {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 25, 22}, "000"},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}, "000"},
    };
    const auto bit = [](bool on) { return on ? '1' : '0'; };
    for (const auto& [board, expected] : rows) {
        const PositionVerdict v = JudgePosition(engine, board);
        std::string got = {bit(v.Acceptable), bit(v.BottomCanMove), bit(v.TopCanMove)};
        for (const bool checked : {false, true}) {
            const NextToMoveBox box = NextToMove(v, checked);
            if (v.Acceptable) got += {' ', bit(box.Enabled), bit(box.Checked)};
        }
        EXPECT_EQ(got, expected);
    }
    // Neither half can move: the box cannot be used and keeps its state.
    for (const bool checked : {false, true}) {
        const NextToMoveBox box = NextToMove({true, false, false}, checked);
        EXPECT_EQ(std::pair(box.Enabled, box.Checked), std::pair(false, checked));
    }
}

TEST(SetUpPosition, PlayGoesOnFromItAndASideWithoutStonesLosesItsTurnAndTheGame) {
    // Kind of game, the set-up, the side to move; whether the game ends at once
    // and the stores then.
    struct Row {
        bool computer;
        Board board;
        bool top, ends;
        int32_t topStore, bottomStore;
    };
    const Row rows[] = {
        {true, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 12, 12}, true, false, 0, 0},
        {false, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 12, 12}, true, false, 0, 0},
        {true, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 12, 12}, false, false, 0, 0},
        {true, {0, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, 12, 12}, false, true, 36, 12},
        {true, {1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 22}, true, true, 20, 28},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.computer << " " << row.top << " " << row.ends);
        Table table;
        table.NewGame(row.computer);
        table.control.PositionAccepted(row.board, row.top);
        table.Settle();
        const GameRecord& record = table.record();
        EXPECT_EQ(
            std::tuple(record.StartBoard, record.TimerOn, record.GameOver, table.control.State()),
            std::tuple(row.board, false, row.ends, PlayState::Idle));
        if (row.ends) {
            EXPECT_EQ(std::tuple(record.Board[kTopStore], record.Board[kBottomStore],
                                 table.view.messages.size(), record.MoveCount),
                      std::tuple(row.topStore, row.bottomStore, 1u, 0));
            continue;
        }
        // The computer answers at once; a person finds the legal pits of the
        // side to move offered.
        const bool computerMoved = row.computer && row.top;
        EXPECT_EQ(record.MoveCount, computerMoved ? 1 : 0);
        EXPECT_FALSE(record.TopToMove && row.computer);
        EXPECT_EQ(table.Playable(), table.Legal(record.Board, record.TopToMove, false));
        PlayOut(table);
    }
}

}  // namespace
}  // namespace zeko::game::testing
