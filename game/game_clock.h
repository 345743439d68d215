// The person's thinking-time clock in a timed computer game: started with the
// level's allowance, shown as a clock face or a time bar, counted down in
// half-seconds while the person is to move.
#pragma once

#include <functional>

#include "game/board_display.h"
#include "game/game_record.h"
#include "game/game_window.h"
#include "game/play_options.h"

namespace zeko::game {

enum class ClockMode { Start, Off, Show };

// The clock counts in half-seconds.
inline constexpr int kHalfSecondsPerMinute = 120;

class GameClock {
  public:
    // What the clock needs of the control around it.
    struct Hooks {
        std::function<void(bool)> ArmTimer;  // the clock timer on or off
        std::function<void()> RanOut;        // the allowance is used up
        std::function<void()> UpdateCaption;
    };

    GameClock(GameRecord& record, const PlayOptions& options, BoardDisplay& display,
              const GameWindow& window, Hooks hooks);

    void Set(ClockMode mode);
    // The person's turn begins: the clock runs after a few free seconds.
    void StartTurn();
    // One tick of the clock timer.
    void Tick();
    int Grace() const { return grace_; }

  private:
    GameRecord& record_;
    const PlayOptions& options_;
    BoardDisplay& display_;
    const GameWindow& window_;
    Hooks hooks_;
    int grace_ = 0;  // half-seconds still free at the start of a turn
};

}  // namespace zeko::game
