#include "game/position_edit.h"

namespace zeko::game {

namespace {

int32_t& Cell(Board& board, int cell) {
    return board[static_cast<size_t>(cell)];
}

}  // namespace

int ChangeStones(Board& board, int cell, int change) {
    if (change != 1 && change != -1) return 0;
    int32_t& top = Cell(board, kTopStore);
    int32_t& bottom = Cell(board, kBottomStore);
    if (cell == kTopStore || cell == kBottomStore) {
        // The stone moves into the store clicked (+1) or out of it (-1).
        const int intoTop = cell == kTopStore ? change : -change;
        if ((intoTop < 0 && top == 0) || (intoTop > 0 && bottom == 0)) return 0;
        top += intoTop;
        bottom -= intoTop;
        return CellBit(kTopStore) | CellBit(kBottomStore);
    }
    if (cell < 0 || cell >= kPits) return 0;
    int32_t& pit = Cell(board, cell);
    if (change < 0 && pit == 0) return 0;
    if (change > 0 && top == 0 && bottom == 0) return 0;
    pit += change;
    int store = kBottomStore;
    if (change > 0)
        store = top >= bottom ? kTopStore : kBottomStore;
    else
        store = top < bottom ? kTopStore : kBottomStore;
    Cell(board, store) -= change;
    return CellBit(cell) | CellBit(store);
}

void ClearBoard(Board& board) {
    for (int pit = 0; pit < kPits; ++pit)
        Cell(board, pit) = 0;
    Cell(board, kTopStore) = kMostStonesInAStore;
    Cell(board, kBottomStore) = kMostStonesInAStore;
}

bool CanMove(platform::EngineLibrary& engine, const Board& board, bool top) {
    const Board seen = top ? rotateboard(board) : board;
    for (int pit = 0; pit < kPitsPerRow; ++pit) {
        if (engine.checkmove(seen.data(), pit, 0) == 1) return true;
    }
    return false;
}

PositionVerdict JudgePosition(platform::EngineLibrary& engine, const Board& board) {
    const int32_t top = board[kTopStore];
    const int32_t bottom = board[kBottomStore];
    PositionVerdict verdict;
    if (top > kMostStonesInAStore || bottom > kMostStonesInAStore ||
        (top == kMostStonesInAStore && bottom == kMostStonesInAStore))
        return verdict;
    verdict.Acceptable = true;
    verdict.BottomCanMove = CanMove(engine, board, false);
    verdict.TopCanMove = CanMove(engine, board, true);
    return verdict;
}

NextToMoveBox NextToMove(const PositionVerdict& verdict, bool checked) {
    NextToMoveBox box;
    box.Enabled = verdict.BottomCanMove || verdict.TopCanMove;
    box.Checked = checked;
    if (verdict.TopCanMove && !verdict.BottomCanMove) box.Checked = true;
    if (verdict.BottomCanMove && !verdict.TopCanMove) box.Checked = false;
    return box;
}

}  // namespace zeko::game
