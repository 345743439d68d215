#include "engine/sow.h"

namespace zeko::engine {

namespace {

// Empties the opponent's pits that hold 2 or 3 from last downwards, stopping at
// the first other count or at the edge of that row.
void Capture(Board& board, int last, int rowStart, int store) {
    for (int i = last; i >= rowStart && (board[i] == 2 || board[i] == 3); --i) {
        board[store] += board[i];
        board[i] = 0;
    }
}

}  // namespace

RowSums sow(Board& board, int pit) {
    int32_t stones = board[pit];
    board[pit] = 0;
    int cursor = pit;
    while (stones > 0) {
        cursor = cursor == kPits - 1 ? 0 : cursor + 1;
        if (cursor == pit) continue;  // the origin is passed over
        ++board[cursor];
        --stones;
    }
    const bool bottomMoves = pit < kPitsPerRow;
    const bool lastInOpponentRow = (cursor < kPitsPerRow) != bottomMoves;
    if (cursor != pit && lastInOpponentRow) {
        if (bottomMoves)
            Capture(board, cursor, kPitsPerRow, kBottomStore);
        else
            Capture(board, cursor, 0, kTopStore);
    }
    return {TopRowStones(board), BottomRowStones(board)};
}

}  // namespace zeko::engine
