// The repetition rule: a side that keeps making moves that leave both row sums
// unchanged, with few stones left, ends the game.
#pragma once

#include <cstdint>

namespace zeko::engine {

// One per side; the program keeps the pair (bottom half first) as six integers.
struct RepetitionTracker {
    int32_t Bottom;   // stones in cells 0-5 after this side's last move
    int32_t Top;      // stones in cells 6-11 after this side's last move
    int32_t Repeats;  // this side's moves in a row that left both sums unchanged
};
static_assert(sizeof(RepetitionTracker) == 3 * sizeof(int32_t));

// The pair the program keeps, as integers.
inline constexpr int kTrackerPairSize = 2 * sizeof(RepetitionTracker) / sizeof(int32_t);

// Records a move's row sums; true when the repetition limit is passed.
bool checkrepetition(RepetitionTracker& tracker, int32_t bottom, int32_t top);

}  // namespace zeko::engine
