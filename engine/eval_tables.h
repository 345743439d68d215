// The evaluation as per-pit terms: each pit's contribution depends only on its
// phase, owner, column and stone count, so the value of a position is a sum of
// twelve table entries. Shared by evaluate and the search.
#pragma once

#include <array>
#include <cstdint>

#include "engine/board.h"

namespace zeko::engine {

enum EvalPhase { kOpening = 0, kMiddle = 1, kEnding = 2, kPhases = 3 };

// Stones already stored decide the phase.
constexpr EvalPhase evalphase(int32_t stored) {
    return stored < 32 ? kOpening : stored < 40 ? kMiddle : kEnding;
}

inline constexpr int kCounts = kStones + 1;  // a pit holds 0..48 stones

// term[phase][moverOwnsTop][cell][count]: the contribution of a pit holding
// count stones, seen from the side that has just moved; moverOwnsTop says
// whether that side owns cells 6-11 (else cells 0-5).
struct EvalTables {
    std::array<std::array<std::array<std::array<int16_t, kCounts>, kPits>, 2>, kPhases> Term;
};

const EvalTables& SharedEvalTables();

}  // namespace zeko::engine
