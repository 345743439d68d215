#include "engine/repetition.h"

#include <cstdint>

namespace zeko::engine {

bool checkrepetition(RepetitionTracker& tracker, int32_t bottom, int32_t top) {
    if (bottom == tracker.bottom && top == tracker.top) {
        // Saturates: a damaged tracker must not overflow.
        if (tracker.repeats < INT32_MAX) ++tracker.repeats;
    } else {
        tracker.bottom = bottom;
        tracker.top = top;
        tracker.repeats = 0;
    }
    // Fewer stones on the board allow fewer idle moves before the game ends.
    const int32_t left = bottom + top;
    return left < 10 && tracker.repeats > 2 * left + 10;
}

}  // namespace zeko::engine
