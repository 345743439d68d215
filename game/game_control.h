// The game control of the main window: the turn flow with its event ring, the
// game commands with their enabling rules, and the game clock. It holds no
// widgets: it draws and asks through Presentation, arms timers through
// WindowTimers, and reaches the engine through the engine library.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "game/game_record.h"
#include "game/presentation.h"
#include "game/view_options.h"
#include "game/window_timers.h"
#include "platform/engine_library.h"

namespace zeko::game {

enum class PlayState : int32_t { Idle = 0, Busy = 1, Thinking = 2, AwaitingResponse = 3 };

// The play events of the ring.
enum Event : int16_t {
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
    kTimeExceeded = 13,
    kGameLoaded = 14,
    kPositionSetUp = 15,
    kNoEvent = 12,
    kStopClock = 16,
    kCloseWindow = 17,
};

enum class ClockMode { Start = 0, Off = 1, Show = 2 };

// The options the turn flow reads (the options dialog and View menu set them).
struct PlayOptions {
    bool DelayActivated = false;
    bool DelayFixed = true;  // false: the user clicks to see the response
    int DelayTime = 3;       // seconds, 2 to 10
    ViewOptions View = {false, false, false, false, true, false, true, true};
};

// What the game control needs from around it, replaceable in tests.
struct Environment {
    std::function<double()> Rnd;              // uniform in [0, 1)
    std::function<int64_t()> NowMs;           // the date and time, in milliseconds
    std::function<std::string(int)> GetText;  // the text of a number, current language
    void* Window = nullptr;                   // receives the StopSearch message
};

struct GameMenuState {
    bool OpponentComputerChecked = false;
    bool OpponentHumanChecked = false;
    bool Load = false;
    bool Save = false;
    bool SaveAs = false;
    bool Opponent = false;
    bool Pass = false;
    bool MoveNow = false;
    bool TakeBack = false;
    bool Replay = false;
    bool TimerOff = false;
};

struct SkillMenuState {
    std::array<bool, 9> Enabled{};
    std::array<bool, 9> Checked{};
};

struct ToolsMenuState {
    bool Analysis = false;
    bool NewPosition = false;
    bool LevelInfo = false;
};

class GameControl {
  public:
    static constexpr int kEventSlots = 10;

    GameControl(platform::EngineLibrary& engine, Presentation& view, WindowTimers& timers,
                Environment environment);

    GameRecord& Record() { return record_; }
    const GameRecord& Record() const { return record_; }
    PlayOptions& Options() { return options_; }
    const PlayOptions& Options() const { return options_; }

    PlayState State() const { return state_; }
    int MovePit() const { return movePit_; }
    int DelayLeft() const { return delayLeft_; }
    int ClockGrace() const { return clockGrace_; }
    int FlashCount() const { return flashCount_; }
    int IndicatorPit() const { return indicatorPit_; }
    bool SearchAborted() const { return searchAborted_; }
    int EndCode() const { return endCode_; }
    bool TimerEnabled(TimerId id) const { return timerEnabled_[static_cast<size_t>(id)]; }
    int TimerInterval(TimerId id) const { return timerInterval_[static_cast<size_t>(id)]; }
    // Events queued and not yet handled.
    size_t PendingEvents() const;

    // The event ring.
    void PostEvent(int n);
    void OnEventTimer();
    void HandleEvent(int n);

    // The other timers.
    void OnDelayTimer();
    void OnFlashTimer();
    void OnZekoTimer();

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
    void ShowPlayablePits(int mode);
    void SetMoveIndicator(int request);
    void UpdateCaption();
    std::string EndOfGameMessage() const;

    // The game clock.
    static int LevelMinutes(int level);
    void SetClock(ClockMode mode);

    // Enabling rules, asked when a menu opens or its shortcut is pressed.
    GameMenuState GameMenu() const;
    SkillMenuState SkillMenu() const;
    ToolsMenuState ToolsMenu() const;

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
    void DropPendingPlayEvents();
    void Guarded(const std::function<void()>& action);
    std::string Text(int number) const;
    int32_t CheckMove(const Board& board, int pit) const;
    std::array<Pointer, 12> PlayablePointers(bool top) const;
    void PlayMove(bool top);
    void GameEnded();
    void ComputerTurn();

    platform::EngineLibrary& engine_;
    Presentation& view_;
    WindowTimers& timers_;
    Environment env_;
    GameRecord record_;
    PlayOptions options_;

    PlayState state_ = PlayState::Busy;
    std::array<int16_t, kEventSlots + 1> slots_{};  // slots 1-10 used
    int writeIndex_ = 0;
    int readIndex_ = 0;
    std::deque<int16_t> overflow_;  // events that found the ring full, in order
    int movePit_ = 0;
    int delayLeft_ = 0;
    int clockGrace_ = 0;
    int flashCount_ = 0;
    int indicatorPit_ = 0;
    bool searchAborted_ = false;
    int endCode_ = 0;
    Board newPositionBoard_{};
    bool newPositionTopToMove_ = false;
    bool inSearch_ = false;
    bool handlingEvent_ = false;
    bool closeAfterSearch_ = false;
    std::array<bool, 4> timerEnabled_{};
    std::array<int, 4> timerInterval_ = {1, 500, 250, 500};
};

}  // namespace zeko::game
