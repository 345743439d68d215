// A plain, line-by-line transcription of the engine's rules and search on
// fourteen-integer boards: no tables, no vectors, the board turned round at
// every ply. The tests hold the fast engine to it value for value, and it
// counts the moves that a search tries.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace zeko::reference {

using Board = std::array<int32_t, 14>;

class ReferenceEngine {
  public:
    // Called wherever the search looks at the message queue, with the work array
    // the search is writing; true when that look finds a StopSearch message.
    // Unset: the queue is always empty.
    std::function<bool(const int32_t* work)> look;

    // Sowings done by searchmoves, counted for speed figures, and looks at the
    // message queue.
    int64_t movesTried = 0, looks = 0;

    // The rules. trackers: six integers, bottom half's record first.
    static int32_t checkmove(const Board& board, int32_t pit, int32_t opening);
    static int32_t execmove(Board& board, int32_t pit, int32_t* trackers);
    static int32_t evaluate(const Board& position);

    // The search exports, with the same arguments and results as the library's.
    int32_t findmove(const Board& board, int32_t level);
    int32_t analyze(const Board& board, int32_t depth, int32_t* values, int32_t* work);
    int32_t findline(const Board& board, int32_t plies, int32_t first, int32_t* line,
                     int32_t* work);

    // The recursive search over cells 6-11.
    void searchmoves(const Board& board, int32_t* values, int32_t depth, int32_t* work);

  private:
    int32_t stopflag_ = 0;
};

}  // namespace zeko::reference
