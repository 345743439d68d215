// A game table without a window: the real engine library, a presentation that
// records what it is asked to show, timers that the tests tick by hand, texts,
// random numbers and a clock that the tests script, and a person who plays by
// clicks or keys.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/game_control.h"
#include "platform/engine_library.h"
#include "platform/message_queue.h"

namespace zeko::game::testing {

inline constexpr Board kStandardStart = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 0, 0};

class FakePresentation final : public BoardDisplay, public GameWindow {
  public:
    struct PositionCall {
        bool full;
        Board old;
        Board now;
    };
    struct Message {
        std::string text;
        std::string title;
        MessageIcon icon;
    };
    struct Error {
        uint32_t number;
        std::string source;
        std::string description;
    };

    void ShowPosition(bool full, const Board& old, const Board& now) override;
    void PaintPit(int pit, PitLook look) override;
    void SetPointers(Pointer window, const std::array<Pointer, 12>& pits) override;
    void RepaintClockFace() override;
    void ShowClockTime(int seconds, bool full) override;
    void SetTimeBar(int value, bool incremental) override;
    void DrawClockColon(bool on) override;
    void ShowClock(bool face, bool bar) override;
    void ShowScoreTexts() override;
    void SetCaption(const std::string& caption) override;
    bool Minimized() const override { return minimized; }
    void HideWelcome() override;
    bool WelcomeVisible() const override { return welcomeVisible; }
    void SetSkillMenuVisible(bool visible) override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    void ShowResultDialog(GameEnd end) override;
    void ShowError(uint32_t number, const std::string& source,
                   const std::string& description) override;
    void CloseWindow() override;

    // Every call by name, in order ("ShowPosition", "PaintPit", ...).
    std::vector<std::string> calls;
    std::vector<PositionCall> positions;
    std::vector<std::pair<int, PitLook>> paints;
    std::array<PitLook, 12> looks{};
    Pointer windowPointer = Pointer::Default;
    std::array<Pointer, 12> pitPointers{};
    int clockFaceRepaints = 0;
    std::vector<std::pair<int, bool>> clockTimes;  // seconds, full
    std::vector<std::pair<int, bool>> timeBars;    // value, incremental
    std::vector<bool> colons;
    bool clockFaceVisible = false;
    bool timeBarVisible = false;
    int scoreTextUpdates = 0;
    std::string caption;
    std::vector<std::string> captions;
    bool minimized = false;
    bool welcomeVisible = false;
    bool skillMenuVisible = true;
    std::vector<Message> messages;
    std::vector<int> resultDialogs;
    std::vector<Error> errors;
    int closes = 0;
    // Run when the window is unloaded, to look at the moment it happens.
    std::function<void()> onClose;
};

class FakeTimers final : public WindowTimers {
  public:
    void SetTimer(TimerId id, bool enabled, int intervalMs) override;
    bool Enabled(TimerId id) const { return enabled_[static_cast<size_t>(id)]; }
    int Interval(TimerId id) const { return interval_[static_cast<size_t>(id)]; }

  private:
    std::array<bool, 4> enabled_{};
    std::array<int, 4> interval_{};
};

// The English texts the game control asks for: level names, the players and
// "Thinking".
std::string EnglishText(int number);

class Table {
  public:
    // engineFolder: where the engine library is looked for first; empty is the
    // test program's own folder, where the build puts it.
    explicit Table(const std::string& engineFolder = {});
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    platform::EngineLibrary engine;
    FakePresentation view;
    FakeTimers timers;
    double rnd = 0.0;  // what Rnd returns
    int rndCalls = 0;
    int64_t nowMs = 0;           // the date and time
    int window = 0;              // the main window's handle is its address
    std::vector<MSG> delivered;  // messages dispatched to the main window
    GameControl control;

    GameRecord& record() { return control.Record(); }
    PlayOptions& options() { return control.Options(); }

    // One tick of the event timer, when it is armed; false when it was not.
    bool Tick();
    // Ticks the event timer until the ring is empty; returns the ticks.
    int RunEvents();
    // Ticks the event, delay and flash timers, the event timer first, until
    // none is armed: play goes on as far as it can without a person.
    void Settle();
    // zekotimer ticks, each only while the timer is armed; returns the ticks given.
    int TickClock(int ticks);

    // A new game, started as the New command does, with the given opponent.
    void NewGame(bool computer, int level = 1);
    // A click on a pit, then play goes on.
    void Click(int pit);
    // The pits that show the playable pointer.
    std::vector<int> PlayablePits() const;

    // Runs at every look of a search at the message queue, with the number of
    // the look (from 1); the count goes on across searches.
    void OnLook(std::function<void(int)> hook);
    int looks = 0;

    // The board that the moves 1 .. count of the record give when played from
    // start with fresh trackers, and those trackers.
    std::pair<Board, std::array<int32_t, 6>> Replayed(const Board& start, int count);

  private:
    std::function<void(int)> lookHook_;
};

// Play from a position with the engine alone, for setting up expectations.
struct Rules {
    platform::EngineLibrary& engine;
    bool Legal(const Board& board, bool top, int pit, bool opening);  // pit 0-11
    std::vector<int> LegalPits(const Board& board, bool top, bool opening);
    int32_t Play(Board& board, std::array<int32_t, 6>& trackers, int pit);
};

std::string Show(const Board& board);

// The person's choice among the playable pits, by turn.
using Chooser = std::function<int(const std::vector<int>& playable, int turn)>;
int VariedPit(const std::vector<int>& playable, int turn);

// The person plays until the game is over: at each turn the pointers must show
// exactly the legal pits, and one click makes the move and all that follows.
void PlayOut(Table& table, const Chooser& choose, int maxTurns = 400);

}  // namespace zeko::game::testing
