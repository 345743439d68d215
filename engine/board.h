// The position: fourteen stone counts, the one representation the whole system shares.
#pragma once

#include <array>
#include <cstdint>

namespace zeko::engine {

inline constexpr int kCells = 14;
inline constexpr int kPitsPerRow = 6;
inline constexpr int kPits = 12;
inline constexpr int kTopStore = 12;     // store of the side that plays cells 6-11
inline constexpr int kBottomStore = 13;  // store of the side that plays cells 0-5
inline constexpr int kStones = 48;
inline constexpr int kStartStones = 4;  // in every pit of the start position

using Board = std::array<int32_t, kCells>;

inline constexpr Board kStartBoard = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 0, 0};

// The same position seen from the other side: rows and stores change places.
constexpr Board rotateboard(const Board& b) {
    Board r{};
    for (int i = 0; i < kPitsPerRow; ++i) {
        r[i] = b[i + kPitsPerRow];
        r[i + kPitsPerRow] = b[i];
    }
    r[kTopStore] = b[kBottomStore];
    r[kBottomStore] = b[kTopStore];
    return r;
}

constexpr int32_t BottomRowStones(const Board& b) {
    int32_t s = 0;
    for (int i = 0; i < kPitsPerRow; ++i)
        s += b[i];
    return s;
}

constexpr int32_t TopRowStones(const Board& b) {
    int32_t s = 0;
    for (int i = kPitsPerRow; i < kPits; ++i)
        s += b[i];
    return s;
}

}  // namespace zeko::engine
