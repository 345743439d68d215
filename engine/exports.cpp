// The library's five exports: they guard the library against arguments that
// could crash it or make it run without end, then hand over to the engine.
// Every valid call reaches the engine unchanged.

#include <algorithm>
#include <cstring>
#include <optional>

#include "engine/analysis.h"
#include "engine/rules.h"
#include "engine/search.h"
#include "engine/zeko32.h"

namespace {

using zeko::engine::Board;

// A board the engine can work on: no negative cell and at most 48 stones in
// all, which bounds every sowing loop and every table lookup.
std::optional<Board> ReadBoard(const int32_t* cells) {
    if (cells == nullptr) return std::nullopt;
    Board board;
    std::memcpy(board.data(), cells, sizeof board);
    int64_t total = 0;
    for (int32_t cell : board) {
        if (cell < 0) return std::nullopt;
        total += cell;
    }
    if (total > zeko::engine::kStones) return std::nullopt;
    return board;
}

}  // namespace

extern "C" {

ZEKO_EXPORT int32_t checkmove(const int32_t* board, int32_t pit, int32_t opening) {
    const auto b = ReadBoard(board);
    return b && zeko::engine::checkmove(*b, pit, opening != 0) ? 1 : 0;
}

ZEKO_EXPORT int32_t execmove(int32_t* board, int32_t pit, int32_t* trackers) {
    auto b = ReadBoard(board);
    if (!b || trackers == nullptr || pit < 0 || pit >= zeko::engine::kPits) return 0;
    zeko::engine::RepetitionTracker pair[2];
    std::memcpy(pair, trackers, sizeof pair);
    const int32_t result = zeko::engine::execmove(*b, pit, pair);
    std::memcpy(board, b->data(), sizeof *b);
    std::memcpy(trackers, pair, sizeof pair);
    return result;
}

ZEKO_EXPORT int32_t findmove(const int32_t* board, int32_t level) {
    const auto b = ReadBoard(board);
    if (!b) return 0;
    return zeko::engine::findmove(*b, std::clamp<int32_t>(level, 1, zeko::engine::kMaxLevel));
}

ZEKO_EXPORT int32_t analyze(const int32_t* board, int32_t depth, int32_t* values, int32_t* work) {
    const auto b = ReadBoard(board);
    if (!b || values == nullptr || work == nullptr || depth < 1 || depth > zeko::engine::kMaxDepth)
        return 0;
    return zeko::engine::analyze(*b, depth, values, work);
}

ZEKO_EXPORT int32_t findline(const int32_t* board, int32_t plies, int32_t first, int32_t* line,
                             int32_t* work) {
    const auto b = ReadBoard(board);
    if (!b || line == nullptr || work == nullptr || plies < 1 || plies > zeko::engine::kMaxDepth ||
        first < 0 || first >= zeko::engine::kPitsPerRow)
        return 0;
    return zeko::engine::findline(*b, plies, first, line, work);
}

}  // extern "C"
