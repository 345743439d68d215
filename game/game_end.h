// How a game ended: the engine's end codes, and the clock running out.
#pragma once

#include <cstdint>

namespace zeko::game {

enum class GameEnd : int16_t {
    None = 0,          // play goes on
    ByRules = 1,       // a store above 24, all stones stored, or no move left
    Repetition = 2,    // the remaining stones shared out
    TimeExceeded = 3,  // the person's clock ran out
};

}  // namespace zeko::game
