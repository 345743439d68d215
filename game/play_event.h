// The play events of the event ring: every step of play is one of them.
#pragma once

#include <cstdint>

namespace zeko::game {

enum Event : int16_t {
    kNoEvent = 0,  // a free slot
    kDismissWelcome = 1,
    kNewGame = 2,
    kPlayBottomMove = 3,
    kPlayTopMove = 4,
    kAwaitHumanMove = 5,
    kComputerTurn = 6,
    kComputerMoveFound = 7,
    kShowComputerMove = 8,
    kTakeBack = 9,
    kReplay = 10,
    kGameEnded = 11,
    kDroppedEvent = 12,  // a step of an abandoned game, handled as nothing
    kClockRanOut = 13,
    kGameLoaded = 14,
    kPositionSetUp = 15,
    kStopClock = 16,
    kCloseWindow = 17,
};

}  // namespace zeko::game
