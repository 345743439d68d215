// A game table without a window: the real engine library and message queue, a
// window that records what the control asks of it and which timers it runs,
// and tests that fire the ticks, script the clock and random numbers, and play.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "game/game_control.h"
#include "platform/engine_library.h"
#include "platform/message_queue.h"
#include "settings/text_table.h"

namespace zeko::game::testing {

struct FakeWindow final : BoardDisplay, GameWindow, WindowTimers {
    void ShowPosition(bool, const Board&, const Board&) override {}
    void PaintPit(int pit, PitLook look) override {
        looks.at(static_cast<size_t>(pit)) = look;  // throws on a pit off the board
        flashes += look == PitLook::Flash;
    }
    void SetPointers(Pointer window, const std::array<Pointer, kPits>& pits) override {
        windowPointer = window;
        pitPointers = pits;
    }
    void RepaintClockFace() override {}
    void ShowClockTime(int seconds, bool full) override { clockTimes.emplace_back(seconds, full); }
    void SetTimeBar(int halfSeconds, bool add) override { timeBars.emplace_back(halfSeconds, add); }
    void DrawClockColon(bool on) override { colons.push_back(on); }
    void ShowClock(bool face, bool bar) override { shownClock = {face, bar}; }
    void ShowScoreTexts() override {}
    void HideWelcome() override { welcome = false; }
    bool WelcomeVisible() const override { return welcome; }
    void SetCaption(const std::string& text) override { captions.push_back(text); }
    bool Minimized() const override { return minimized; }
    void SetSkillMenuVisible(bool visible) override { skillMenuVisible = visible; }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({title + ": " + text, icon});
    }
    void ShowResultDialog(GameEnd end) override { results.push_back(end); }
    void ShowError(uint32_t number, const std::string& source, const std::string&) override {
        errors.emplace_back(number, source);
    }
    void CloseWindow() override {
        ++closes;
        if (onClose) onClose();
    }
    void SetTimer(TimerId id, bool enabled, int) override { armed[id] = enabled; }

    std::array<PitLook, kPits> looks{};
    int flashes = 0, closes = 0;  // flashes: paints in the flash colour
    Pointer windowPointer = Pointer::Default;
    std::array<Pointer, kPits> pitPointers{};
    std::vector<std::pair<int, bool>> clockTimes, timeBars;
    std::vector<bool> colons;
    std::pair<bool, bool> shownClock;  // face, bar
    bool welcome = false, minimized = false, skillMenuVisible = true;
    std::vector<std::string> captions;
    std::vector<std::pair<std::string, MessageIcon>> messages;  // "title: text"
    std::vector<GameEnd> results;
    std::vector<std::pair<uint32_t, std::string>> errors;
    std::function<void()> onClose;
    std::map<TimerId, bool> armed;
};

class Table {
  public:
    // engineFolder: where the engine library is looked for first; empty is the
    // test program's own folder, where the build puts it.
    explicit Table(const std::string& engineFolder = {})
        : engine(engineFolder),
          control(engine, view, view, view,
                  {[this] { return ++rndCalls, rnd; }, [this] { return nowMs; },
                   [](int number) {
                       return std::string(settings::BuiltInText(settings::kEnglish, number));
                   },
                   &window}) {
        auto& queue = platform::ThreadMessageQueue();
        queue.Clear();
        queue.SetLookHook([this] { onLook(++looks); });
        queue.RegisterWindow(&window, [this](const MSG& msg) { delivered.push_back(msg.message); });
    }
    ~Table() {
        platform::ThreadMessageQueue().SetLookHook(nullptr);
        platform::ThreadMessageQueue().UnregisterWindow(&window);
    }

    platform::EngineLibrary engine;
    FakeWindow view;
    double rnd = 0.0;
    int64_t nowMs = 0;
    int rndCalls = 0, looks = 0, clicks = 0;
    int window = 0;                                // the main window's handle is its address
    std::vector<uint32_t> delivered;               // the messages that reached the window
    std::function<void(int)> onLook = [](int) {};  // at every look of a search at the queue, from 1
    GameControl control;

    GameRecord& record() { return control.Record(); }
    PlayOptions& options() { return control.Options(); }
    // Fires the event timer once when it runs.
    bool Tick() {
        const bool armed = view.armed[TimerId::Event];
        EXPECT_EQ(armed, control.TimerEnabled(TimerId::Event));
        if (armed) control.OnEventTimer();
        return armed;
    }
    PitLook Look(int pit) const { return view.looks[static_cast<size_t>(pit)]; }
    // Fires the play timers until none runs.
    void Settle() {
        for (int i = 0; i < 100000; ++i) {
            if (Tick()) continue;
            const bool delay = view.armed[TimerId::Delay];
            if (!delay && !view.armed[TimerId::Flash]) return;
            delay ? control.OnDelayTimer() : control.OnFlashTimer();
        }
        ADD_FAILURE() << "play never came to rest";
    }
    // Clock ticks while its timer runs; returns those given.
    int TickClock(int ticks) {
        int given = 0;
        for (; given < ticks && view.armed[TimerId::Clock]; ++given)
            control.OnClockTimer();
        return given;
    }
    void NewGame(bool computer, int level = kBeginner) {
        record().ComputerGame = computer;
        record().Level = static_cast<int16_t>(level);
        Do("n");
    }
    // Steps of what the person does, each followed by play: c clicks a playable
    // pit (the n-th click the n-th, wrapping round), b takes back, r replays, p
    // passes, n starts a new game, o changes the opponent, g chooses
    // Grandmaster, s stores the game, k makes the record a computer game, l
    // loads the record as it stands; w, e, t, u and v set up positions.
    void Do(std::string_view steps);
    std::vector<int> Playable() const {
        std::vector<int> pits;
        for (int pit = 0; pit < kPits; ++pit)
            if (view.pitPointers[static_cast<size_t>(pit)] == Pointer::Playable)
                pits.push_back(pit);
        return pits;
    }
    std::vector<int> Legal(const Board& board, bool top, bool opening) {
        const Board seen = top ? rotateboard(board) : board;
        std::vector<int> pits;
        for (int pit = 0; pit < kPitsPerRow; ++pit)
            if (engine.checkmove(seen.data(), pit, opening) == 1)
                pits.push_back(top ? pit + kPitsPerRow : pit);
        return pits;
    }
    // The board and trackers that the first count recorded moves give from the start.
    auto Replayed(int count) {
        std::pair replay(record().StandardStart ? engine::kStartBoard : record().StartBoard,
                         decltype(GameRecord::Trackers){});
        for (int k = 1; k <= count; ++k) {
            const int pit = record().Moves[static_cast<size_t>(k)];
            const auto legal = Legal(replay.first, pit >= kPitsPerRow, false);
            EXPECT_TRUE(std::count(legal.begin(), legal.end(), pit)) << "move " << k << ": " << pit;
            engine.execmove(replay.first.data(), pit, replay.second.data());
        }
        return replay;
    }
};

inline int VariedPit(const std::vector<int>& playable, int turn) {
    return playable.empty() ? -1 : playable[static_cast<size_t>(turn) % playable.size()];
}
// The person plays until the end, each turn a pit the pointers offer, which
// must be exactly the legal ones; choose picks from them by turn.
using Chooser = std::function<int(const std::vector<int>& playable, int turn)>;

inline void Table::Do(std::string_view steps) {
    const auto setUp = [](Board board, bool top) {
        return [board, top](Table& t) { t.control.PositionAccepted(board, top); };
    };
    static const std::map<char, std::function<void(Table&)>> kSteps = {
        {'c', [](Table& t) { t.control.ClickPit(VariedPit(t.Playable(), t.clicks++)); }},
        {'b', [](Table& t) { t.control.TakeBack(); }},
        {'r', [](Table& t) { t.control.Replay(); }},
        {'p', [](Table& t) { t.control.Pass(); }},
        {'n', [](Table& t) { t.control.NewGame(); }},
        {'o', [](Table& t) { t.control.ChooseOpponent(); }},
        {'g', [](Table& t) { t.control.ChooseLevel(kGrandmaster - 1); }},
        {'s', [](Table& t) { t.record().RecordNumber = 12; }},
        {'l', [](Table& t) { t.control.GameLoaded(); }},
        {'k', [](Table& t) { t.record().ComputerGame = true; }},
        // The person wins: the bottom half's quiet pit 0, the top half's only
        // move 10, then pit 5 captures two and passes 24.
        {'w', setUp({1, 0, 0, 0, 0, 6, 0, 0, 0, 0, 1, 0, 16, 24}, false)},
        // The last stones: the bottom half's captures the top half's.
        {'e', setUp({0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 23, 23}, false)},
        {'t', setUp({0, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, 12, 12}, true)},
        // One stone a side, shuffled on: the trackers count the repeats.
        {'u', setUp({1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 23, 23}, false)},
        // The top half's first pit holds four, as at the start, beside empty pits.
        {'v', setUp({0, 0, 0, 0, 1, 1, 4, 0, 0, 0, 0, 3, 20, 19}, false)}};
    for (char step : steps) {
        kSteps.at(step)(*this);
        Settle();
    }
}

inline void PlayOut(Table& table, const Chooser& choose = VariedPit) {
    const GameRecord& record = table.record();
    for (int turn = 0; turn < 400 && !record.GameOver; ++turn) {
        ASSERT_EQ(table.control.State(), PlayState::Idle) << "turn " << turn;
        const auto playable = table.Playable();
        ASSERT_EQ(playable, table.Legal(record.Board, record.TopToMove, record.OpeningFlag));
        // Only a timed game runs the clock, and only from the person's second turn.
        ASSERT_EQ(table.view.armed[TimerId::Clock], record.TimerOn && turn > 0);
        const int before = record.MoveCount;
        table.control.ClickPit(choose(playable, turn));
        table.Settle();
        ASSERT_EQ(record.MoveNumber, record.MoveCount + 1);
        ASSERT_EQ(record.MoveCount, before + (record.ComputerGame && !record.TopToMove ? 2 : 1));
    }
    ASSERT_TRUE(record.GameOver);
}

// The enabled items of the Game and Tools menus, "Skill" when the Skill menu is
// enabled, its checked level and the checked opponent, as one line.
inline std::string Menus(const GameControl& control) {
    const GameMenuState g = control.GameMenu();
    const ToolsMenuState t = control.ToolsMenu();
    const SkillMenuState s = control.SkillMenu();
    const bool skill = std::all_of(s.Enabled.begin(), s.Enabled.end(), [](bool on) { return on; });
    const std::pair<bool, const char*> items[] = {
        {g.Load, "Load"},         {g.Save, "Save"},     {g.SaveAs, "SaveAs"},
        {g.Opponent, "Opponent"}, {g.Pass, "Pass"},     {g.MoveNow, "MoveNow"},
        {g.TakeBack, "TakeBack"}, {g.Replay, "Replay"}, {g.TimerOff, "TimerOff"},
        {t.Analysis, "Analysis"}, {skill, "Skill"}};
    std::string text;
    for (const auto& [on, name] : items)
        if (on) text.append(name).append(" ");
    for (int level = 0; level < kLevelCount; ++level)
        if (s.Checked[static_cast<size_t>(level)])
            text.append("L").append(std::to_string(level + 1));
    EXPECT_TRUE(t.NewPosition == skill && t.LevelInfo == skill);  // all need an idle window
    EXPECT_NE(g.OpponentComputerChecked, g.OpponentHumanChecked);
    return text.append(g.OpponentComputerChecked ? " computer" : " people");
}

}  // namespace zeko::game::testing
