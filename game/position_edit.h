// The new-position editor's rules without a window: stones added to and taken
// from pits and moved between the stores, always 48 in all, and which set-ups
// may be accepted with which side to move.
#pragma once

#include <cstdint>

#include "game/game_record.h"
#include "platform/engine_library.h"

namespace zeko::game {

// A stone too many in a store ends the game at once, so a set-up may hold at
// most this many in each store, and not this many in both.
inline constexpr int32_t kMostStonesInAStore = engine::kStones / 2;

// Bit c of a cell mask stands for cell c of a Board.
constexpr int CellBit(int cell) {
    return 1 << cell;
}
inline constexpr int kAllPitsMask = CellBit(kPits) - 1;
inline constexpr int kAllCellsMask = CellBit(engine::kCells) - 1;

// Adds (change +1) or takes (-1) one stone at `cell`. On a store's display a
// stone moves between the stores: +1 into that store, -1 out of it. On a pit
// the stone comes from the fuller store (the top half's on a tie) or goes to
// the emptier one (the bottom half's on a tie). Nothing happens when a cell
// would become negative or when both stores are empty for a stone to add.
// Returns the cells changed as a mask, 0 when nothing changed.
int ChangeStones(Board& board, int cell, int change);

// Clear Board: all pits empty, 24 stones in each store.
void ClearBoard(Board& board);

// Whether a set-up may be accepted and which halves could move in it.
struct PositionVerdict {
    bool Acceptable = false;  // no store above 24, not both at 24
    bool BottomCanMove = false;
    bool TopCanMove = false;
};

// Whether `top` (or the bottom half) has a pit that checkmove accepts on
// `board`, outside the opening.
bool CanMove(platform::EngineLibrary& engine, const Board& board, bool top);

PositionVerdict JudgePosition(platform::EngineLibrary& engine, const Board& board);

// The "moves next" check box after a judgement: usable only when a half can
// move; when only one can, it names that one; otherwise it keeps its state.
struct NextToMoveBox {
    bool Enabled = false;
    bool Checked = false;  // the top half moves next
};
NextToMoveBox NextToMove(const PositionVerdict& verdict, bool checked);

}  // namespace zeko::game
