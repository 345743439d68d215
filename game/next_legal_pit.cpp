#include "game/next_legal_pit.h"

#include "game/game_control.h"

namespace zeko::game {

int NextLegalPit(int current, IndicatorRequest request, const std::function<bool(int)>& legal) {
    current = ((current % kPitsPerRow) + kPitsPerRow) % kPitsPerRow;
    if (request == IndicatorRequest::First) {
        for (int pit = 0; pit < kPitsPerRow; ++pit) {
            if (legal(pit)) return pit;
        }
        return 0;
    }
    // One step back is all but one step forward.
    const int step = request == IndicatorRequest::Previous ? kPitsPerRow - 1 : 1;
    for (int pit = (current + step) % kPitsPerRow; pit != current;
         pit = (pit + step) % kPitsPerRow) {
        if (legal(pit)) return pit;
    }
    return current;
}

}  // namespace zeko::game
