#include "game/game_clock.h"

#include <utility>

#include "game/skill_level.h"

namespace zeko::game {

namespace {

constexpr int kFreeHalfSeconds = 10;

}  // namespace

GameClock::GameClock(GameRecord& record, const PlayOptions& options, BoardDisplay& display,
                     const GameWindow& window, Hooks hooks)
    : record_(record),
      options_(options),
      display_(display),
      window_(window),
      hooks_(std::move(hooks)) {}

void GameClock::Set(ClockMode mode) {
    const int allowance = LevelMinutes(record_.Level) * kHalfSecondsPerMinute;
    if (mode == ClockMode::Start) {
        record_.TimerOn = true;
        record_.TimeLeft = static_cast<int16_t>(allowance);
    }
    if (mode == ClockMode::Start || mode == ClockMode::Show) {
        display_.ShowClockTime(record_.TimeLeft / 2, true);
        // The whole allowance: the bar's shown value becomes all of it.
        display_.SetTimeBar(allowance, false);
        const bool bar = options_.View[settings::kViewTimeBar];
        display_.ShowClock(!bar, bar);
    } else if (mode == ClockMode::Off) {
        record_.TimerOn = false;
        record_.TimeLeft = 0;
        display_.ShowClock(false, false);
        hooks_.ArmTimer(false);
    }
    display_.ShowScoreTexts();
    hooks_.UpdateCaption();
}

void GameClock::StartTurn() {
    if (!record_.TimerOn) return;
    hooks_.ArmTimer(true);
    grace_ = kFreeHalfSeconds;
}

void GameClock::Tick() {
    // The clock stands still during the computer's turn, after the end of the
    // game and while the window is minimized.
    if (window_.Minimized() || record_.TopToMove || record_.GameOver) return;
    if (!record_.TimerOn || record_.TimeLeft <= 0) return;
    const bool colon = options_.View[settings::kViewFlashingClock];
    if (grace_ >= 1) {
        --grace_;
        if (colon) display_.DrawClockColon(grace_ % 2 != 0);
        return;
    }
    --record_.TimeLeft;
    if (colon) display_.DrawClockColon(record_.TimeLeft % 2 != 0);
    if (!options_.View[settings::kViewTimeBar]) {
        if (record_.TimeLeft % 2 == 0) display_.ShowClockTime(record_.TimeLeft / 2, false);
    } else {
        display_.SetTimeBar(record_.TimeLeft, true);
    }
    if (record_.TimeLeft == 0) hooks_.RanOut();
}

}  // namespace zeko::game
