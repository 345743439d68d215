#include "engine/evaluate.h"

#include "engine/eval_tables.h"

namespace zeko::engine {

namespace {

// Where a pit's last stone lands, by column of the row it lands in.
constexpr int kLanding[kPitsPerRow] = {2, 2, 4, 4, 2, 2};

// Stones kept back in the first columns, by count (0-4) and column.
constexpr int kReserve[5][kPitsPerRow] = {
    {0, 0, 0, 0, 0, 0},  {5, 4, 3, 2, 1, 0},  {8, 6, 4, 2, 0, 0},
    {10, 7, 4, 0, 0, 0}, {11, 7, 0, 0, 0, 0},
};

// The landing bonus of a pit in column col with count stones: its last stone
// (or the pit itself for a multiple of 11) falls in the other row, cyclically.
constexpr int Landing(int col, int count) {
    const int reach = col + count % 11;
    return reach >= kPitsPerRow && reach < kPits ? kLanding[reach - kPitsPerRow] : 0;
}

constexpr int Reserve(int col, int count) {
    return count <= 4 ? kReserve[count][col] : 0;
}

// The contribution of one pit, positive for the side that has just moved.
constexpr int PitTerm(EvalPhase phase, bool own, int col, int count) {
    switch (phase) {
        case kOpening:
            if (own) return (count == 0 ? -5 : count == 1 ? 3 : 0) + Landing(col, count);
            return (count == 0 ? 13 : count == 1 ? -9 : 0) - Landing(col, count);
        case kMiddle: {
            if (col == kPitsPerRow - 1) return 0;  // the last pit of a row is ignored
            const int v = count <= 4 ? Reserve(col, count) : -count;
            return own ? v : -v;
        }
        case kEnding:
        case kPhases:
            break;
    }
    if (col == kPitsPerRow - 1) return 0;
    return own ? 3 * Reserve(col, count) : -3 * Reserve(col, count);
}

constexpr EvalTables MakeTables() {
    EvalTables t{};
    for (int phase = 0; phase < kPhases; ++phase) {
        for (int moverTop = 0; moverTop < 2; ++moverTop) {
            for (int cell = 0; cell < kPits; ++cell) {
                const bool top = cell >= kPitsPerRow;
                const bool own = top == (moverTop != 0);
                for (int count = 0; count < kCounts; ++count) {
                    t.Term[phase][moverTop][cell][count] = static_cast<int16_t>(
                        PitTerm(static_cast<EvalPhase>(phase), own, cell % kPitsPerRow, count));
                }
            }
        }
    }
    return t;
}

constexpr EvalTables kTables = MakeTables();

}  // namespace

const EvalTables& SharedEvalTables() {
    return kTables;
}

int32_t evaluate(const Board& position) {
    const auto& term = kTables.Term[evalphase(position[kTopStore] + position[kBottomStore])][0];
    int32_t value = 0;
    for (int cell = 0; cell < kPits; ++cell)
        value += term[cell][position[cell]];
    return value;
}

}  // namespace zeko::engine
