#include "engine/cell_moves.h"

namespace zeko::engine {

namespace {

SowTables MakeSowTables() {
    SowTables t{};
    for (int origin = 0; origin < kPits; ++origin) {
        for (int n = 0; n < kCounts; ++n) {
            Board board{};
            board[origin] = n;
            int last = origin;
            for (int left = n, cursor = origin; left > 0;) {
                cursor = cursor == kPits - 1 ? 0 : cursor + 1;
                if (cursor == origin) continue;
                ++board[cursor];
                --left;
                last = cursor;
            }
            Cells inc{};
            for (int cell = 0; cell < kPits; ++cell)
                inc[cell] = static_cast<uint8_t>(board[cell]);
            inc[origin] = static_cast<uint8_t>(-n);
            t.Increment[origin][n] = inc;
            t.Last[origin][n] = static_cast<int8_t>(last);
        }
    }
    return t;
}

}  // namespace

const SowTables kSowTables = MakeSowTables();

Cells ToCells(const Board& board) {
    Cells c{};
    for (int cell = 0; cell < kCells; ++cell)
        c[cell] = static_cast<uint8_t>(board[cell]);
    return c;
}

}  // namespace zeko::engine
