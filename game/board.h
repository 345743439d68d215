// The program's own view of a position: the fourteen counts it hands to the
// engine by address, and the turning round that asks a rule from the top half.
#pragma once

#include <array>
#include <cstdint>

namespace zeko::game {

// Cells 0-5 the bottom half's pits, 6-11 the top half's, 12 the top half's
// store, 13 the bottom half's.
using Board = std::array<int32_t, 14>;

inline constexpr int kTopStore = 12;
inline constexpr int kBottomStore = 13;

// The position seen from the other side: rows and stores change places.
constexpr Board rotateboard(const Board& b) {
    Board r{};
    for (int i = 0; i < 6; ++i) {
        r[i] = b[i + 6];
        r[i + 6] = b[i];
    }
    r[kTopStore] = b[kBottomStore];
    r[kBottomStore] = b[kTopStore];
    return r;
}

}  // namespace zeko::game
