// What the main window is doing, which tells the menus and the input handlers
// what may happen.
#pragma once

#include <cstdint>

namespace zeko::game {

enum class PlayState : int32_t { Idle = 0, Busy = 1, Thinking = 2, AwaitingResponse = 3 };

}  // namespace zeko::game
