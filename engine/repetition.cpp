#include "engine/repetition.h"

#include <cstdint>

namespace zeko::engine {

bool checkrepetition(RepetitionTracker& tracker, int32_t bottom, int32_t top) {
    if (bottom == tracker.Bottom && top == tracker.Top) {
        // Saturates: a damaged tracker must not overflow.
        if (tracker.Repeats < INT32_MAX) ++tracker.Repeats;
    } else {
        tracker.Bottom = bottom;
        tracker.Top = top;
        tracker.Repeats = 0;
    }
    // Fewer stones on the board allow fewer idle moves before the game ends.
    const int32_t left = bottom + top;
    return left < 10 && tracker.Repeats > 2 * left + 10;
}

}  // namespace zeko::engine
