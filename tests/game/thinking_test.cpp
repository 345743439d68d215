// While the computer thinks: the search looks at the message queue, and at
// those looks the tests act as the window would (menus, keys, clicks, timer
// ticks, closing). A stop asked for drops the move; events wait until the
// search has ended; the window never closes under a running search.
#include <gtest/gtest.h>

#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

// A timed level-4 game after the person's first move and the random reply;
// the person's next move makes the computer search four plies deep, which
// looks at the message queue.
int PrepareSearch(Table& table) {
    table.rnd = 0.0;
    table.NewGame(true, 4);
    table.Click(2);
    EXPECT_EQ(table.record().MoveCount, 2);
    EXPECT_FALSE(table.record().OpeningFlag);
    return table.PlayablePits().front();
}

// What the window's event loop does at a look: it fires whatever timer is armed.
void PumpWindow(Table& table) {
    for (int i = 0; i < 50; ++i) {
        if (table.control.TimerEnabled(TimerId::Event))
            table.control.OnEventTimer();
        else if (table.control.TimerEnabled(TimerId::Delay))
            table.control.OnDelayTimer();
        else if (table.control.TimerEnabled(TimerId::Flash))
            table.control.OnFlashTimer();
        else
            break;
    }
    if (table.control.TimerEnabled(TimerId::Clock)) table.control.OnClockTimer();
}

class StopAtLook : public ::testing::TestWithParam<int> {};

TEST_P(StopAtLook, NewGameDuringThinkingDropsTheFoundMove) {
    Table table;
    const int pit = PrepareSearch(table);
    const int stopAt = GetParam();
    bool acted = false;
    table.OnLook([&](int look) {
        if (look != stopAt) return;
        acted = true;
        EXPECT_EQ(table.control.State(), PlayState::Thinking);
        table.control.NewGame();
        EXPECT_TRUE(table.control.SearchAborted());
        PumpWindow(table);
        // Nothing of the new game happens inside the search.
        EXPECT_EQ(table.record().MoveCount, 3);
        EXPECT_TRUE(table.record().TopToMove);
        EXPECT_EQ(table.control.State(), PlayState::Thinking);
    });
    table.Click(pit);
    ASSERT_TRUE(acted);
    // The search ended at the look that found the stop: one more peek there
    // found the queue empty, and no look followed.
    EXPECT_EQ(table.looks, stopAt + 1);
    EXPECT_EQ(platform::threadMessageQueue().size(), 0u);
    ASSERT_EQ(table.delivered.size(), 1u);
    EXPECT_EQ(table.delivered[0].message, 1036u);
    EXPECT_EQ(table.delivered[0].wParam, 0u);
    EXPECT_EQ(table.delivered[0].lParam, 0);

    EXPECT_EQ(table.record().MoveCount, 0);
    EXPECT_EQ(table.record().Board, kStandardStart);
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_TRUE(table.record().TimerOn);
    EXPECT_EQ(table.record().TimeLeft, 20 * 120);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    EXPECT_EQ(table.view.windowPointer, Pointer::Default);
    EXPECT_EQ(table.PlayablePits(), (std::vector<int>{2, 3, 4, 5}));

    // The next game plays normally.
    table.Click(5);
    EXPECT_EQ(table.record().MoveCount, 2);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

INSTANTIATE_TEST_SUITE_P(Look, StopAtLook, ::testing::Values(1, 3));

TEST(Thinking, ExitStopsTheSearchAndTheWindowClosesAfterIt) {
    Table table;
    const int pit = PrepareSearch(table);
    bool inLook = false;
    PlayState stateAtClose = PlayState::Thinking;
    bool closedInLook = false;
    table.view.onClose = [&] {
        stateAtClose = table.control.State();
        closedInLook = inLook;
    };
    table.OnLook([&](int look) {
        if (look != 1) return;
        inLook = true;
        table.control.Exit();
        PumpWindow(table);
        inLook = false;
    });
    table.Click(pit);
    EXPECT_EQ(table.view.closes, 1);
    EXPECT_FALSE(closedInLook);
    EXPECT_NE(stateAtClose, PlayState::Thinking);
    EXPECT_EQ(table.record().MoveCount, 3);  // the reply was dropped
    EXPECT_EQ(platform::threadMessageQueue().size(), 0u);
}

TEST(Thinking, ClosingTheWindowStopsTheSearchAndClosesOnlyAfterIt) {
    Table table;
    const int pit = PrepareSearch(table);
    bool inLook = false;
    bool closedInLook = false;
    PlayState stateAtClose = PlayState::Thinking;
    table.view.onClose = [&] {
        closedInLook = inLook;
        stateAtClose = table.control.State();
    };
    table.OnLook([&](int look) {
        if (look != 1) return;
        inLook = true;
        EXPECT_FALSE(table.control.QueryClose());
        PumpWindow(table);
        EXPECT_EQ(table.view.closes, 0);
        inLook = false;
    });
    table.Click(pit);
    EXPECT_EQ(table.looks, 2);  // the look that found the stop, and its last peek
    EXPECT_EQ(table.view.closes, 1);
    EXPECT_FALSE(closedInLook);
    EXPECT_NE(stateAtClose, PlayState::Thinking);
    EXPECT_EQ(table.record().MoveCount, 3);
    EXPECT_EQ(platform::threadMessageQueue().size(), 0u);
}

TEST(Thinking, ClosingTheWindowWithoutASearchNeedsNoStop) {
    Table table;
    PrepareSearch(table);
    EXPECT_TRUE(table.control.QueryClose());
    EXPECT_EQ(platform::threadMessageQueue().size(), 0u);
    table.Settle();
    EXPECT_EQ(table.view.closes, 0);  // the window closes itself

    table.control.Exit();
    table.Settle();
    EXPECT_EQ(table.view.closes, 1);
    EXPECT_EQ(platform::threadMessageQueue().size(), 0u);
}

TEST(Thinking, EventsInputAndTicksDuringTheSearchWaitOrDoNothing) {
    Table table;
    table.options().View[settings::kViewFlashingClock] = true;
    table.options().View[settings::kViewMoveIndicator] = true;
    const int pit = PrepareSearch(table);
    int16_t timeLeft = 0;
    table.OnLook([&](int look) {
        if (look != 1) return;
        timeLeft = table.record().TimeLeft;
        const int grace = table.control.ClockGrace();
        const size_t colons = table.view.colons.size();
        table.control.AnalysisClosed(true);  // queues "stop clock"
        for (int p = 0; p < 12; ++p)
            table.control.ClickPit(p);
        EXPECT_TRUE(table.control.KeyPress('d'));
        EXPECT_FALSE(table.control.KeyDown(GameControl::Arrow::Left));
        table.control.ChooseLevel(0);
        PumpWindow(table);
        EXPECT_EQ(table.TickClock(20), 20);
        EXPECT_TRUE(table.record().TimerOn);
        EXPECT_EQ(table.record().TimeLeft, timeLeft);
        EXPECT_EQ(table.control.ClockGrace(), grace);
        EXPECT_EQ(table.view.colons.size(), colons);
        EXPECT_EQ(table.record().Level, 4);
        EXPECT_EQ(table.record().MoveCount, 3);
    });
    table.Click(pit);
    EXPECT_GE(table.looks, 1);
    EXPECT_FALSE(table.record().TimerOn);  // the queued event ran after the search
    EXPECT_EQ(table.record().MoveCount, 4);
    EXPECT_GT(table.record().Moves[4], 5);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

TEST(Thinking, MoreEventsThanTheRingHoldsQueuedDuringTheSearchAllRunAfterIt) {
    Table table;
    const int pit = PrepareSearch(table);
    table.OnLook([&](int look) {
        if (look != 1) return;
        for (int i = 0; i < 11; ++i)
            table.control.PostEvent(kDroppedEvent);  // numbered but no step
        table.control.PostEvent(kStopClock);
        EXPECT_GE(table.control.PendingEvents(), 12u);
        PumpWindow(table);
        EXPECT_TRUE(table.record().TimerOn);
    });
    table.Click(pit);
    EXPECT_EQ(table.control.PendingEvents(), 0u);
    EXPECT_FALSE(table.record().TimerOn);
    EXPECT_EQ(table.record().MoveCount, 4);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

TEST(Thinking, OnlyNewAndExitAreOfferedWhileTheComputerThinks) {
    Table table;
    const int pit = PrepareSearch(table);
    table.OnLook([&](int look) {
        if (look != 1) return;
        const GameMenuState game = table.control.GameMenu();
        EXPECT_FALSE(game.Opponent);
        EXPECT_FALSE(game.TakeBack);
        EXPECT_FALSE(game.Replay);
        EXPECT_FALSE(game.TimerOff);
        EXPECT_FALSE(game.Load);
        EXPECT_FALSE(game.Save);
        EXPECT_FALSE(game.Pass);
        EXPECT_FALSE(game.MoveNow);
        EXPECT_TRUE(game.OpponentComputerChecked);
        const SkillMenuState skill = table.control.SkillMenu();
        for (size_t i = 0; i < 9; ++i) {
            EXPECT_FALSE(skill.Enabled[i]);
            EXPECT_EQ(skill.Checked[i], i == 3);
        }
        const ToolsMenuState tools = table.control.ToolsMenu();
        EXPECT_FALSE(tools.Analysis);
        EXPECT_FALSE(tools.NewPosition);
        EXPECT_FALSE(tools.LevelInfo);
    });
    table.Click(pit);
    EXPECT_GE(table.looks, 1);
}

TEST(Thinking, AStopThatNoCommandAskedForMakesTheComputerThinkAgain) {
    Table table;
    const int pit = PrepareSearch(table);
    table.OnLook([&](int look) {
        if (look == 1) PostMessageA(&table.window, WM_STOPSEARCH, 0, 0);
    });
    table.Click(pit);
    EXPECT_GT(table.looks, 1);
    ASSERT_EQ(table.record().MoveCount, 4);
    EXPECT_GT(table.record().Moves[4], 5);
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    EXPECT_EQ(platform::threadMessageQueue().size(), 0u);
}

TEST(Thinking, TheSearchSeesTheBoardAsTheFoundMoveIsPlayedOnIt) {
    // The reply must be a move the engine would choose on the position the
    // person left, and it is played on that same position.
    Table table;
    const int pit = PrepareSearch(table);
    Board before{};
    table.OnLook([&](int look) {
        if (look == 1) before = table.record().Board;
    });
    table.Click(pit);
    ASSERT_EQ(table.record().MoveCount, 4);
    EXPECT_EQ(before, table.Replayed(kStandardStart, 3).first);
    EXPECT_EQ(table.record().Moves[4], table.engine.findmove(before.data(), 4));
    EXPECT_EQ(table.record().Board, table.Replayed(kStandardStart, 4).first);
}

}  // namespace
}  // namespace zeko::game::testing
