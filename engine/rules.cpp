#include "engine/rules.h"

#include "engine/sow.h"

namespace zeko::engine {

namespace {

bool FeedsOpponent(const Board& board, int pit) {
    Board copy = board;
    return sow(copy, pit).Top > 0;
}

}  // namespace

bool checkmove(const Board& board, int pit, bool opening) {
    if (pit < 0 || pit >= kPitsPerRow || board[pit] == 0) return false;
    Board copy = board;
    const RowSums sums = sow(copy, pit);
    // The opening move must reach the opponent's first pit.
    if (opening && copy[kPitsPerRow] == kStartStones) return false;
    if (sums.Top > 0) return true;
    // Starving the opponent is allowed only when no move can feed it.
    for (int alternative = 0; alternative < kPitsPerRow; ++alternative) {
        if (board[alternative] != 0 && FeedsOpponent(board, alternative)) return false;
    }
    return true;
}

MoveResult execmove(Board& board, int pit, RepetitionTracker trackers[2]) {
    const RowSums sums = sow(board, pit);
    const bool bottomMoves = pit < kPitsPerRow;
    // A mover that has emptied the opponent's row takes the stones of its own.
    if (bottomMoves && sums.Top == 0) {
        for (int i = 0; i < kPitsPerRow; ++i)
            board[i] = 0;
        board[kBottomStore] += sums.Bottom;
    } else if (!bottomMoves && sums.Bottom == 0) {
        for (int i = kPitsPerRow; i < kPits; ++i)
            board[i] = 0;
        board[kTopStore] += sums.Top;
    }
    const bool over = board[kTopStore] > 24 || board[kBottomStore] > 24 ||
                      board[kTopStore] + board[kBottomStore] == kStones;
    if (checkrepetition(trackers[bottomMoves ? 0 : 1], sums.Bottom, sums.Top)) {
        // Each side takes what is still in its row. Without a sweep these are the
        // sums of the move; after a sweep the swept row is already stored and must
        // not be counted twice.
        board[kTopStore] += TopRowStones(board);
        board[kBottomStore] += BottomRowStones(board);
        for (int i = 0; i < kPits; ++i)
            board[i] = 0;
        return kRepetitionEnd;
    }
    return over ? kGameOver : kPlayOn;
}

}  // namespace zeko::engine
