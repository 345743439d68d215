// The bottom half's thinking-time clock of a timed computer game.
#include "game/game_control.h"

namespace zeko::game {

int GameControl::LevelMinutes(int level) {
    static constexpr int kMinutes[9] = {5, 10, 15, 20, 30, 40, 50, 60, 90};
    return level >= 1 && level <= 9 ? kMinutes[level - 1] : kMinutes[2];
}

void GameControl::SetClock(ClockMode mode) {
    if (mode == ClockMode::Start) {
        record_.TimerOn = true;
        record_.TimeLeft = static_cast<int16_t>(LevelMinutes(record_.Level) * 120);
    }
    if (mode == ClockMode::Start || mode == ClockMode::Show) {
        view_.ShowClockTime(record_.TimeLeft / 2, true);
        // The whole allowance: the bar's shown value becomes 120, all of it.
        view_.SetTimeBar(LevelMinutes(record_.Level) * 120, false);
        const bool bar = options_.View[kTimeBar];
        view_.ShowClock(!bar, bar);
    } else if (mode == ClockMode::Off) {
        record_.TimerOn = false;
        record_.TimeLeft = 0;
        view_.ShowClock(false, false);
        SetTimer(TimerId::Clock, false);
    }
    view_.ShowScoreTexts();
    UpdateCaption();
}

void GameControl::OnZekoTimer() {
    // The clock stands still during the computer's turn, after the end of the
    // game and while the window is minimized.
    if (view_.Minimized() || record_.TopToMove || record_.GameOver) return;
    if (!record_.TimerOn || record_.TimeLeft <= 0) return;
    const bool colon = options_.View[kFlashingClock];
    if (clockGrace_ >= 1) {
        --clockGrace_;
        if (colon) view_.DrawClockColon(clockGrace_ % 2 != 0);
        return;
    }
    --record_.TimeLeft;
    if (colon) view_.DrawClockColon(record_.TimeLeft % 2 != 0);
    if (!options_.View[kTimeBar]) {
        if (record_.TimeLeft % 2 == 0) view_.ShowClockTime(record_.TimeLeft / 2, false);
    } else {
        view_.SetTimeBar(record_.TimeLeft, true);
    }
    if (record_.TimeLeft == 0) PostEvent(kTimeExceeded);
}

}  // namespace zeko::game
