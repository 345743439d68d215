// The game control of the main window: the turn flow with its event ring and
// the game commands. It holds no widgets: it draws through BoardDisplay, asks
// the window through GameWindow, arms timers through WindowTimers, and reaches
// the engine through the engine library.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "game/board_display.h"
#include "game/event_ring.h"
#include "game/game_clock.h"
#include "game/game_end.h"
#include "game/game_record.h"
#include "game/game_window.h"
#include "game/menu_rules.h"
#include "game/play_event.h"
#include "game/play_options.h"
#include "game/play_state.h"
#include "game/window_timers.h"
#include "platform/engine_library.h"

namespace zeko::game {

// Which pits show the playable pointer.
enum class PlayablePits {
    None = 0,
    BottomRow = 1,  // the bottom half's legal pits
    TopRow = 2,     // the top half's legal pits
    Hourglass = 3,  // the computer thinks: the hourglass everywhere
    ChosenPit = 4,  // the computer's pit, waiting for the person's click
};

// What the keyboard move indicator is asked to do.
enum class IndicatorRequest {
    Hide = 0,      // the pit under it gets its normal look
    First = 1,     // onto the first legal pit
    Next = 2,      // onto the next legal pit, upwards with wrap-around
    Previous = 3,  // onto the previous one
};

// What the game control needs from around it, replaceable in tests.
struct Environment {
    std::function<double()> Rnd;              // uniform in [0, 1)
    std::function<int64_t()> NowMs;           // the date and time, in milliseconds
    std::function<std::string(int)> GetText;  // the text of a number, current language
    void* Window = nullptr;                   // receives the StopSearch message
};

class GameControl {
  public:
    GameControl(platform::EngineLibrary& engine, BoardDisplay& display, GameWindow& window,
                WindowTimers& timers, Environment environment);

    GameRecord& Record() { return record_; }
    const GameRecord& Record() const { return record_; }
    PlayOptions& Options() { return options_; }
    const PlayOptions& Options() const { return options_; }

    PlayState State() const { return state_; }
    int MovePit() const { return movePit_; }
    int DelayLeft() const { return delayLeft_; }
    int ClockGrace() const { return clock_.Grace(); }
    int FlashCount() const { return flashCount_; }
    int IndicatorPit() const { return indicatorPit_; }
    bool SearchAborted() const { return searchAborted_; }
    GameEnd EndCode() const { return end_; }
    bool TimerEnabled(TimerId id) const { return timerEnabled_[static_cast<size_t>(id)]; }
    int TimerInterval(TimerId id) const { return timerInterval_[static_cast<size_t>(id)]; }
    // Events queued and not yet handled.
    size_t PendingEvents() const { return ring_.Pending(); }

    // The event ring.
    void PostEvent(Event event);
    void OnEventTimer();
    void HandleEvent(Event event);

    // The other timers.
    void OnDelayTimer();
    void OnFlashTimer();
    void OnClockTimer() { clock_.Tick(); }

    // Input from the board. Keys return whether they were consumed.
    void ClickPit(int pit);
    enum class Arrow { Left, Right };
    bool KeyDown(Arrow arrow);
    bool KeyPress(char key);  // '\r' is Enter

    // Turn-flow routines.
    void TryHumanMove(int pit);
    int ChooseComputerMove();
    void RequestStop();
    void EndWait();
    void ShowPlayablePits(PlayablePits which);
    void SetMoveIndicator(IndicatorRequest request);
    void UpdateCaption();
    std::string EndOfGameMessage() const;

    void SetClock(ClockMode mode) { clock_.Set(mode); }
    // New rules for the response delay (the options dialog's OK). A computer
    // move that waits meanwhile is shown and played by the new rules, timed
    // from when the computer began to think.
    void SetResponseDelay(bool activated, bool fixed, int seconds);

    GameMenuState GameMenu() const { return GameMenuRules(record_, state_); }
    SkillMenuState SkillMenu() const { return SkillMenuRules(record_, state_); }
    ToolsMenuState ToolsMenu() const { return ToolsMenuRules(record_, state_); }

    // The game commands.
    void NewGame();
    void ChooseOpponent();
    void Pass();
    void MoveNow();
    void TakeBack();
    void Replay();
    void TimerOff();
    void Exit();
    void ChooseLevel(int index);  // 0-8
    // After the analysis dialog closed; made: an analysis was started.
    void AnalysisClosed(bool made);
    // After the editor returned an accepted position.
    void PositionAccepted(const Board& position, bool topToMove);
    bool NewPositionTopToMove() const { return newPositionTopToMove_; }
    // After the game file filled the record with a stored game.
    void GameLoaded();

    // The window asks before it closes. While a search runs, the search is
    // stopped first and the window closes as soon as it has ended.
    bool QueryClose();

  private:
    void SetTimer(TimerId id, bool enabled, int intervalMs = -1);
    void Guarded(const std::function<void()>& action);
    std::string Text(int number) const;
    int32_t CheckMove(const Board& board, int pit) const;
    std::array<Pointer, kPits> PlayablePointers(bool top) const;
    // Whose turn comes next: the computer's when it plays the side to move.
    Event NextTurn() const;
    void PlayMove(bool top);
    void GameEnded();
    void ComputerTurn();
    // Ends the game when the side to move has no legal pit; returns whether it did.
    bool EndIfNoMove();
    // The computer's pit waiting for a click gets its normal colour back.
    void RestoreChosenPit();
    // Half-seconds of the response delay still to wait, thinking time counted in.
    int DelayStillToWait() const;
    int64_t Now() const;

    platform::EngineLibrary& engine_;
    BoardDisplay& display_;
    GameWindow& window_;
    WindowTimers& timers_;
    Environment env_;
    GameRecord record_;
    PlayOptions options_;
    EventRing ring_;
    GameClock clock_;

    PlayState state_ = PlayState::Busy;
    int movePit_ = 0;
    int delayLeft_ = 0;
    int flashCount_ = 0;
    int indicatorPit_ = 0;
    bool searchAborted_ = false;
    int64_t thinkingSince_ = 0;    // when the computer began to think, in ms
    bool chosenPitShown_ = false;  // the computer's pit waits for a click
    GameEnd end_ = GameEnd::None;
    Board newPositionBoard_{};
    bool newPositionTopToMove_ = false;
    bool inSearch_ = false;
    bool closeAfterSearch_ = false;
    std::array<bool, kTimerCount> timerEnabled_{};
    std::array<int, kTimerCount> timerInterval_ = {1, 500, 250, 500};
};

}  // namespace zeko::game
