// The menus' enabling rules in the situations that change them, the person's
// clock, a missing engine, and the level table's figures: the climb through
// the levels until one search needs a tenth of a second, timed by a scripted
// counter so that the figures are known, and the text for each range of the
// estimate; the position editor's rules and play from a set-up.
#include <dlfcn.h>

#include <numeric>

#include "game/level_timing.h"
#include "game/position_edit.h"
#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

TEST(Menus, FollowTheGame) {
    // A game at Amateur, steps as Table::Do takes them, the menus after them.
    const std::vector<std::tuple<bool, const char*, const char*>> rows = {
        {true, "", "Load Save Opponent Pass TimerOff Analysis Skill L3 computer"},
        {true, "s", "Load Save SaveAs Opponent Pass TimerOff Analysis Skill L3 computer"},
        {true, "ccb", "Load Save Opponent TakeBack Replay Analysis Skill L3 computer"},
        {false, "", "Load Save Opponent Pass Analysis Skill L3 people"},
        {false, "p", "Load Save Opponent TakeBack Analysis Skill L3 people"},
        {false, "cccb", "Load Save Opponent TakeBack Replay Analysis Skill L3 people"},
        {true, "wccg", "Load Save TakeBack Analysis Skill L9 computer"},  // over, top to move
        {false, "ec", "Load Save TakeBack Skill L3 people"},              // every stone stored
        {false, "t", "Load Save Opponent TakeBack Analysis Skill L3 people"},
        {true, "o", "Load Save Opponent Pass Analysis Skill L3 people"},
        {true, "oo", "Load Save Opponent Pass Analysis Skill L3 computer"},
        // Loaded with the computer to move: it has moved.
        {false, "ccbkl", "Load Save Opponent TakeBack Analysis Skill L3 computer"}};
    for (const auto& [computer, steps, menus] : rows) {
        SCOPED_TRACE(steps);
        Table table;
        table.NewGame(computer, kAmateur);
        table.Do(steps);
        EXPECT_EQ(Menus(table.control), menus);
        // Only choosing the opponent shows or hides the Skill menu.
        EXPECT_EQ(table.view.skillMenuVisible, steps[0] != 'o' || table.record().ComputerGame);
    }
}

// A timed game in the person's second turn, the clock running.
void ToSecondTurn(Table& table, int level = kBeginner) {
    table.NewGame(true, level);
    table.Do("c");
    ASSERT_TRUE(table.view.armed[TimerId::Clock]);
}

TEST(Clock, FreeSecondsTicksMinimizedAndTimeOut) {
    Table table;
    table.options().View[settings::kViewFlashingClock] = true;
    ToSecondTurn(table);
    const int allowance = LevelMinutes(kBeginner) * kHalfSecondsPerMinute;
    const int16_t& timeLeft = table.record().TimeLeft;
    table.view.colons.clear();
    table.view.clockTimes.clear();
    EXPECT_EQ(std::pair(table.TickClock(10), timeLeft), std::pair(10, int16_t(allowance)));
    table.TickClock(1);
    EXPECT_EQ(std::pair(timeLeft, table.view.clockTimes.size()),  // shown once a second
              std::pair(int16_t(allowance - 1), size_t{0}));
    table.TickClock(1);
    EXPECT_EQ(table.view.colons, (std::vector<bool>{1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(table.view.clockTimes,
              (std::vector<std::pair<int, bool>>{{allowance / 2 - 1, false}}));
    table.view.minimized = true;
    EXPECT_EQ(std::pair(table.TickClock(50), timeLeft), std::pair(50, int16_t(allowance - 2)));
    table.view.minimized = false;
    // The next turn is free again; the time used stays used.
    table.Do("c");
    EXPECT_EQ(std::pair(table.TickClock(10), timeLeft), std::pair(10, int16_t(allowance - 2)));
    table.TickClock(allowance);
    EXPECT_EQ(table.view.clockTimes.back(), std::make_pair(0, false));
    table.Settle();
    EXPECT_EQ(
        std::tuple(table.view.results, table.record().TimerOn, table.view.armed[TimerId::Clock]),
        std::tuple(std::vector<GameEnd>{GameEnd::TimeExceeded}, false, false));
    PlayOut(table);  // play goes on, untimed
    EXPECT_EQ(std::tuple(table.view.results.size(), table.view.messages.size()),
              std::tuple(1u, 1u));
}

TEST(Clock, CommandsThatStopOrKeepIt) {
    // The command, the time left after it (-1: as it was, running; 0: off), the
    // caption. Every other row shows the time bar.
    const std::vector<std::tuple<std::function<void(Table&)>, int, const char*>> rows = {
        {[](Table& t) { t.control.TimerOff(); }, 0, "Zeko"},
        {[](Table& t) { t.Do("b"); }, 0, "Zeko"},
        {[](Table& t) { t.Do("o"); }, 0, "Zeko : Human 1 - Human 2"},
        {[](Table& t) { t.Do("u"); }, 0, "Zeko"},
        {[](Table& t) { t.control.AnalysisClosed(true); }, 0, "Zeko"},
        {[](Table& t) { t.control.AnalysisClosed(false); }, -1, "Zeko : Amateur"},
        {[](Table& t) { t.Do("l"); }, -1, "Zeko : Amateur"},
        {[](Table& t) { t.control.ChooseLevel(kAmateur - 1); }, -1, "Zeko : Amateur"},
        {[](Table& t) { t.Do("g"); }, 0, "Zeko"},
        // Before the computer's first move a level restarts the clock: an hour
        // and a half for a Grandmaster.
        {[](Table& t) { t.Do("ng"); }, 90 * kHalfSecondsPerMinute, "Zeko : Grandmaster"}};
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& [command, timeLeft, caption] = rows[i];
        const bool bar = i % 2 != 0;
        Table table;
        table.options().View[settings::kViewTimeBar] = bar;
        ToSecondTurn(table, kAmateur);
        table.TickClock(15);
        const int before = table.record().TimeLeft;
        EXPECT_TRUE(!bar || table.view.timeBars.back() == std::make_pair(before, true));
        command(table);
        table.Settle();
        const bool on = timeLeft != 0;
        EXPECT_EQ(std::tuple(int{table.record().TimeLeft}, table.record().TimerOn,
                             table.view.armed[TimerId::Clock], table.view.shownClock,
                             table.view.captions.back()),
                  std::tuple(timeLeft < 0 ? before : timeLeft, on, timeLeft < 0,
                             std::pair(on && !bar, on && bar), std::string(caption)));
    }
}

TEST(MissingEngine, IsReportedByEveryCommandThatNeedsItAndNothingElseBreaks) {
    // A folder that cannot exist hides the library unless the system finds it.
    if (void* handle = dlopen(platform::EngineLibrary::kFileName, RTLD_NOW | RTLD_LOCAL)) {
        dlclose(handle);
        GTEST_SKIP() << "the system finds " << platform::EngineLibrary::kFileName;
    }
    Table table("/dev/null/none");
    table.NewGame(true);
    const size_t reported = table.view.errors.size();
    EXPECT_GE(reported, 1u);
    EXPECT_TRUE(table.control.KeyPress('c'));
    table.Settle();
    const auto error = std::make_pair(platform::EngineLibrary::kLoadError, std::string("Zeko"));
    EXPECT_EQ(table.view.errors, decltype(table.view.errors)(reported + 1, error));
    EXPECT_EQ(table.record().MoveCount, 0);
    table.control.Exit();
    table.Settle();
    EXPECT_EQ(table.view.closes, 1);
}

std::string English(int number) {
    return number == kTextVeryFast ? "Very Fast" : std::to_string(number);
}

TEST(LevelTiming, ClimbsToTheFirstLevelThatNeedsATenthOfASecondAndExtrapolatesFromIt) {
    // The millisecond counter makes the searches from level 1 up take 3, 20,
    // 100, 150 and 900 ms, starting just before it wraps; the board is set up
    // in 7 ms between two searches.
    std::vector<uint32_t> readings;
    for (uint32_t now = UINT32_MAX - 100; const uint32_t d : {3, 20, 100, 150, 900}) {
        readings.insert(readings.end(), {now, now + d});
        now += d + 7;
    }
    size_t next = 0;
    PrecisionTimer timer([&] { return readings.at(next++); });
    platform::EngineLibrary engine;
    const LevelTiming timing = MeasureLevels(engine, timer);
    // Level 5 is never searched.
    EXPECT_EQ(std::tuple(timing.Level, timing.Milliseconds, next), std::tuple(4, 150, 8u));
    std::string texts;
    for (int level = 1; level <= kLevelCount; ++level)
        texts.append(ResponseTimeText(EstimatedUnits(timing, level), English)).append(",");
    EXPECT_EQ(texts,
              "Very Fast,Very Fast,Very Fast, < 1 Sec., < 1 Sec.,4 Sec.,18 Sec.,95 Sec.,8 Min.,");
}

TEST(LevelTiming, EstimatesRoundHalvesToEvenAndEachRangeHasItsText) {
    // t x 5^(i - k + 1) / 1000 units of 0.2 s.
    // The measured level and milliseconds, the level estimated, the units.
    const std::tuple<int, int, int, int64_t> rows[] = {
        {5, 2500, 4, 2},    {5, 1500, 4, 2}, {5, 500, 4, 0}, {5, 700, 4, 1},
        {2, 101, 9, 39453}, {20, 150, 1, 0}, {4, 300, 3, 0}, {4, 300, 5, 8}};
    for (const auto& [measured, ms, level, units] : rows)
        EXPECT_EQ(EstimatedUnits({measured, ms}, level), units)
            << measured << " " << ms << " " << level;
    // The text of each range of the estimate.
    const std::vector<std::pair<int64_t, std::string>> cases = {
        {0, "Very Fast"}, {1, " < 1 Sec."}, {4, " < 1 Sec."}, {5, "1 Sec."},      {7, "1 Sec."},
        {8, "2 Sec."},    {49, "10 Sec."},  {50, "10 Sec."},  {54, "10 Sec."},    {55, "12 Sec."},
        {149, "30 Sec."}, {150, "30 Sec."}, {162, "30 Sec."}, {163, "35 Sec."},   {604, "120 Sec."},
        {605, "2 Min."},  {749, "2 Min."},  {750, "3 Min."},  {39453, "132 Min."}};
    for (const auto& [units, text] : cases)
        EXPECT_EQ(ResponseTimeText(units, English), text) << units;
}

// The editor's rules: stones moved one at a time with 48 always on the board,
// which set-ups may be accepted with which side to move, and a set-up whose
// side to move has no stone (play from other set-ups: TakeBackAndReplay).

TEST(PositionEdit, StonesComeFromTheFullerStoreAndGoToTheEmptierOne) {
    // The stores and pit 3 before, the cell clicked and the change; the stores
    // and pit 3 after (the same when nothing happens). A tie gives from the top
    // half's store and takes to the bottom half's; then no stone to add, none
    // to take; then the stores' displays: +1 into the store clicked, -1 out of
    // it, also when a store is empty.
    const int T = kTopStore, B = kBottomStore;
    const std::array<int32_t, 8> rows[] = {
        {24, 24, 0, 3, +1, 23, 24, 1}, {10, 14, 0, 3, +1, 10, 13, 1}, {14, 10, 0, 3, +1, 13, 10, 1},
        {10, 14, 1, 3, -1, 11, 14, 0}, {14, 10, 1, 3, -1, 14, 11, 0}, {12, 12, 1, 3, -1, 12, 13, 0},
        {0, 0, 0, 3, +1, 0, 0, 0},     {24, 23, 0, 3, -1, 24, 23, 0}, {10, 14, 0, T, +1, 11, 13, 0},
        {10, 14, 0, T, -1, 9, 15, 0},  {10, 14, 0, B, +1, 9, 15, 0},  {10, 14, 0, B, -1, 11, 13, 0},
        {10, 0, 0, T, +1, 10, 0, 0},   {0, 10, 0, T, -1, 0, 10, 0},   {0, 10, 0, B, +1, 0, 10, 0},
        {10, 0, 0, B, -1, 10, 0, 0}};
    for (const auto& [top, bottom, pit, cell, change, topAfter, bottomAfter, pitAfter] : rows) {
        SCOPED_TRACE(::testing::Message()
                     << top << "/" << bottom << " cell " << cell << " " << change);
        // The rest of the 48 stones lie in pit 7, which no row clicks.
        const int32_t rest = engine::kStones - top - bottom - pit;
        Board board{0, 0, 0, pit, 0, 0, 0, rest, 0, 0, 0, 0, top, bottom};
        const Board before = board;
        const int mask = ChangeStones(board, cell, change);
        // The pits to redraw: the one clicked, and only when it changed.
        EXPECT_EQ(std::tuple(board[kTopStore], board[kBottomStore], board[3],
                             std::accumulate(board.begin(), board.end(), 0), mask == 0,
                             mask & kAllPitsMask),
                  std::tuple(topAfter, bottomAfter, pitAfter, engine::kStones, board == before,
                             board[3] != before[3] ? CellBit(3) : 0));
    }
    // Clear puts every stone in the stores, half in each.
    Board board = engine::kStartBoard;
    ClearBoard(board);
    EXPECT_EQ(board, (Board{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}));
}

TEST(PositionEdit, TheBoxNamesTheOnlyHalfThatCanMove) {
    platform::EngineLibrary engine;
    // The set-up; whether it may be accepted, the bottom half can move and the
    // top half can; then the box (enabled, checked) from a cleared and from a
    // checked box.
    const std::pair<Board, std::string> rows[] = {
        {engine::kStartBoard, "111 10 11"},
        {{0, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, 12, 12}, "101 11 11"},
        {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 23, 24}, "110 10 10"},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 23, 25}, "000"},
        {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 25, 22}, "000"},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 24}, "000"}};
    const auto bit = [](bool on) { return on ? '1' : '0'; };
    for (const auto& [board, expected] : rows) {
        const PositionVerdict v = JudgePosition(engine, board);
        std::string got = {bit(v.Acceptable), bit(v.BottomCanMove), bit(v.TopCanMove)};
        for (const bool checked : {false, true}) {
            const NextToMoveBox box = NextToMove(v, checked);
            if (v.Acceptable) got += {' ', bit(box.Enabled), bit(box.Checked)};
        }
        EXPECT_EQ(got, expected);
    }
}

TEST(SetUpPosition, ASideWithoutStonesLosesItsTurnAndTheGame) {
    // The set-up and the side to move; the stores when the game has ended.
    const std::tuple<Board, bool, int32_t, int32_t> rows[] = {
        {{0, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, 12, 12}, false, 36, 12},
        {{1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 22}, true, 20, 28}};
    for (const auto& [board, top, topStore, bottomStore] : rows) {
        Table table;
        table.NewGame(true);
        table.control.PositionAccepted(board, top);
        table.Settle();
        const GameRecord& r = table.record();
        EXPECT_EQ(std::tuple(r.StartBoard, r.TimerOn, r.GameOver, table.control.State(),
                             r.Board[kTopStore], r.Board[kBottomStore], table.view.messages.size(),
                             r.MoveCount),
                  std::tuple(board, false, true, PlayState::Idle, topStore, bottomStore, 1u, 0));
    }
}

}  // namespace
}  // namespace zeko::game::testing
