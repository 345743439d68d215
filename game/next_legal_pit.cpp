#include "game/next_legal_pit.h"

namespace zeko::game {

int NextLegalPit(int current, int request, const std::function<bool(int)>& legal) {
    current = ((current % 6) + 6) % 6;
    if (request == 1) {
        for (int pit = 0; pit < 6; ++pit) {
            if (legal(pit)) return pit;
        }
        return 0;
    }
    const int step = request == 3 ? 5 : 1;  // 5 steps forward is one back
    for (int pit = (current + step) % 6; pit != current; pit = (pit + step) % 6) {
        if (legal(pit)) return pit;
    }
    return current;
}

}  // namespace zeko::game
