// The bottom half's thinking-time clock: the allowance per level, the five
// free seconds of each turn, the display, minimizing, the time-out, and every
// situation that starts, stops or keeps it.
#include <gtest/gtest.h>

#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

// A timed game after the person's first move and the computer's reply: the
// clock is armed for the person's second turn.
void ToSecondTurn(Table& table, int level = 1) {
    table.rnd = 0.9;
    table.NewGame(true, level);
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Clock)) << "the first turn is untimed";
    table.Click(2);
    ASSERT_EQ(table.record().MoveCount, 2);
    ASSERT_TRUE(table.control.TimerEnabled(TimerId::Clock));
    EXPECT_EQ(table.control.TimerInterval(TimerId::Clock), 500);
    EXPECT_EQ(table.timers.Interval(TimerId::Clock), 500);
    EXPECT_EQ(table.control.ClockGrace(), 10);
}

void ExpectClockOff(Table& table) {
    EXPECT_FALSE(table.record().TimerOn);
    EXPECT_EQ(table.record().TimeLeft, 0);
    EXPECT_FALSE(table.view.clockFaceVisible);
    EXPECT_FALSE(table.view.timeBarVisible);
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Clock));
}

TEST(GameClock, EachLevelStartsWithItsAllowance) {
    const int minutes[] = {5, 10, 15, 20, 30, 40, 50, 60, 90};
    for (int level = 1; level <= 9; ++level) {
        SCOPED_TRACE(level);
        EXPECT_EQ(LevelMinutes(level), minutes[level - 1]);
        for (bool bar : {false, true}) {
            Table table;
            table.options().View[settings::kViewTimeBar] = bar;
            table.NewGame(true, level);
            EXPECT_TRUE(table.record().TimerOn);
            EXPECT_EQ(table.record().TimeLeft, minutes[level - 1] * 120);
            ASSERT_FALSE(table.view.clockTimes.empty());
            EXPECT_EQ(table.view.clockTimes.back(), std::make_pair(minutes[level - 1] * 60, true));
            ASSERT_FALSE(table.view.timeBars.empty());
            EXPECT_EQ(table.view.timeBars.back().first, minutes[level - 1] * 120);
            EXPECT_EQ(table.view.clockFaceVisible, !bar);
            EXPECT_EQ(table.view.timeBarVisible, bar);
            EXPECT_GT(table.view.scoreTextUpdates, 0);
            EXPECT_FALSE(table.control.TimerEnabled(TimerId::Clock));
        }
    }
}

TEST(GameClock, TwoPeoplePlayWithoutAClock) {
    Table table;
    table.NewGame(false);
    ExpectClockOff(table);
    table.Click(2);
    table.Click(table.PlayablePits().front());
    ExpectClockOff(table);
}

TEST(GameClock, TheFirstFiveSecondsOfEveryTurnAreFree) {
    Table table;
    table.options().View[settings::kViewFlashingClock] = true;
    ToSecondTurn(table);
    table.view.colons.clear();
    table.view.clockTimes.clear();

    EXPECT_EQ(table.TickClock(10), 10);
    EXPECT_EQ(table.record().TimeLeft, 600);
    EXPECT_EQ(table.control.ClockGrace(), 0);
    EXPECT_EQ(table.view.colons,
              (std::vector<bool>{true, false, true, false, true, false, true, false, true, false}));
    EXPECT_TRUE(table.view.clockTimes.empty());

    table.TickClock(1);
    EXPECT_EQ(table.record().TimeLeft, 599);
    EXPECT_EQ(table.view.colons.back(), true);
    EXPECT_TRUE(table.view.clockTimes.empty());  // shown once a second
    table.TickClock(1);
    EXPECT_EQ(table.record().TimeLeft, 598);
    EXPECT_EQ(table.view.colons.back(), false);
    EXPECT_EQ(table.view.clockTimes, (std::vector<std::pair<int, bool>>{{299, false}}));
    table.TickClock(3);
    EXPECT_EQ(table.record().TimeLeft, 595);

    // The next turn is free again for five seconds; the time used stays used.
    const int repaints = table.view.clockFaceRepaints;
    table.Click(table.PlayablePits().front());
    EXPECT_GT(table.view.clockFaceRepaints, repaints);  // the colon shown again
    ASSERT_EQ(table.record().MoveCount, 4);
    EXPECT_EQ(table.control.ClockGrace(), 10);
    EXPECT_EQ(table.record().TimeLeft, 595);
    table.TickClock(10);
    EXPECT_EQ(table.record().TimeLeft, 595);
    table.TickClock(1);
    EXPECT_EQ(table.record().TimeLeft, 594);
}

TEST(GameClock, TheTimeBarShowsTheTimeLeftEveryTick) {
    Table table;
    table.options().View[settings::kViewTimeBar] = true;
    ToSecondTurn(table);
    table.view.timeBars.clear();
    table.view.clockTimes.clear();
    table.TickClock(10);
    EXPECT_TRUE(table.view.timeBars.empty());
    table.TickClock(30);
    EXPECT_EQ(table.record().TimeLeft, 570);
    EXPECT_EQ(table.view.timeBars.size(), 30u);
    EXPECT_EQ(table.view.timeBars.back(), std::make_pair(570, true));
    table.TickClock(270);
    EXPECT_EQ(table.view.timeBars.back(), std::make_pair(300, true));
    EXPECT_TRUE(table.view.clockTimes.empty());
}

TEST(GameClock, StandsStillWhileTheWindowIsMinimized) {
    Table table;
    ToSecondTurn(table);
    table.TickClock(12);
    ASSERT_EQ(table.record().TimeLeft, 598);
    table.view.minimized = true;
    table.TickClock(50);
    EXPECT_EQ(table.record().TimeLeft, 598);
    table.view.minimized = false;
    table.TickClock(4);
    EXPECT_EQ(table.record().TimeLeft, 594);

    // And the grace of a new turn waits as well.
    table.Click(table.PlayablePits().front());
    table.view.minimized = true;
    table.TickClock(5);
    EXPECT_EQ(table.control.ClockGrace(), 10);
}

TEST(GameClock, TimeOutShowsTheResultOnceAndPlayGoesOnUntimed) {
    Table table;
    ToSecondTurn(table);
    // 05:00 counted down after the free seconds: 300 seconds to 00:00.
    EXPECT_EQ(table.TickClock(609), 609);
    EXPECT_EQ(table.record().TimeLeft, 1);
    EXPECT_EQ(table.control.PendingEvents(), 0u);
    table.TickClock(1);
    EXPECT_EQ(table.record().TimeLeft, 0);
    EXPECT_EQ(table.view.clockTimes.back(), std::make_pair(0, false));
    table.Settle();

    EXPECT_EQ(table.view.resultDialogs, std::vector<int>{3});
    ExpectClockOff(table);
    EXPECT_FALSE(table.record().GameOver);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    EXPECT_EQ(table.view.caption, "Zeko");
    EXPECT_FALSE(table.control.GameMenu().TimerOff);

    PlayOut(table, VariedPit);
    EXPECT_EQ(table.view.resultDialogs, std::vector<int>{3});
    EXPECT_EQ(table.view.messages.size(), 1u);
    EXPECT_EQ(table.view.messages[0].text.rfind("Computer ", 0), 0u);
}

TEST(GameClock, ATakeBackSwitchesTheClockOffForTheRestOfTheGame) {
    Table table;
    ToSecondTurn(table);
    table.TickClock(20);
    table.Click(table.PlayablePits().front());
    ASSERT_TRUE(table.control.GameMenu().TakeBack);
    table.control.TakeBack();
    table.Settle();
    ExpectClockOff(table);
    EXPECT_EQ(table.view.caption, "Zeko");
    table.control.Replay();
    table.Settle();
    ExpectClockOff(table);

    PlayOut(table, VariedPit);
    EXPECT_TRUE(table.view.resultDialogs.empty());
    EXPECT_EQ(table.view.messages.size(), 1u);
}

TEST(GameClock, TimerOffMakesAPracticeGame) {
    Table table;
    table.NewGame(true, 2);
    EXPECT_TRUE(table.control.GameMenu().TimerOff);
    table.control.TimerOff();
    ExpectClockOff(table);
    EXPECT_EQ(table.view.caption, "Zeko");
    EXPECT_FALSE(table.control.GameMenu().TimerOff);
    table.Click(2);
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Clock));
}

TEST(GameClock, ALevelChosenBeforeTheComputersFirstMoveRestartsTheClock) {
    Table table;
    table.NewGame(true, 1);
    table.control.ChooseLevel(4);
    EXPECT_EQ(table.record().Level, 5);
    EXPECT_TRUE(table.record().TimerOn);
    EXPECT_EQ(table.record().TimeLeft, 30 * 120);
    EXPECT_EQ(table.view.clockTimes.back(), std::make_pair(1800, true));
    EXPECT_EQ(table.view.caption, "Zeko : Skilful");
    EXPECT_TRUE(table.view.clockFaceVisible);
    EXPECT_TRUE(table.control.SkillMenu().Checked[4]);
}

TEST(GameClock, ALevelChosenLaterSwitchesTheClockOff) {
    Table table;
    ToSecondTurn(table, 3);
    table.TickClock(15);
    ASSERT_EQ(table.record().TimeLeft, 15 * 120 - 5);

    table.control.ChooseLevel(2);  // the level in play: nothing changes
    EXPECT_TRUE(table.record().TimerOn);
    EXPECT_EQ(table.record().TimeLeft, 15 * 120 - 5);

    table.control.ChooseLevel(0);
    EXPECT_EQ(table.record().Level, 1);
    ExpectClockOff(table);
    EXPECT_EQ(table.view.caption, "Zeko");

    // Back at the start the game may become timed again.
    table.control.TakeBack();
    table.Settle();
    ASSERT_TRUE(table.record().OpeningFlag);
    table.control.ChooseLevel(1);
    EXPECT_TRUE(table.record().TimerOn);
    EXPECT_EQ(table.record().TimeLeft, 10 * 120);
}

TEST(GameClock, ALevelChosenAfterTheEndActsEvenWithTheTopHalfToMove) {
    Table table;
    table.NewGame(true, 1);
    table.control.PositionAccepted({1, 0, 0, 0, 0, 6, 0, 0, 0, 0, 1, 0, 16, 24}, false);
    table.Settle();
    table.Click(0);
    table.Click(5);
    ASSERT_TRUE(table.record().GameOver);
    ASSERT_TRUE(table.record().TopToMove);
    table.control.ChooseLevel(6);
    EXPECT_EQ(table.record().Level, 7);
}

TEST(GameClock, AnAnalysisMadeSwitchesTheClockOffAndOneNotMadeKeepsIt) {
    Table table;
    ToSecondTurn(table);
    table.TickClock(14);
    table.control.AnalysisClosed(false);
    table.Settle();
    EXPECT_TRUE(table.record().TimerOn);
    EXPECT_EQ(table.record().TimeLeft, 596);
    EXPECT_TRUE(table.control.TimerEnabled(TimerId::Clock));

    table.control.AnalysisClosed(true);
    table.Settle();
    ExpectClockOff(table);
}

TEST(GameClock, ASetUpPositionAndAChangeOfOpponentSwitchItOff) {
    Table setUp;
    ToSecondTurn(setUp);
    setUp.control.PositionAccepted(kStandardStart, false);
    setUp.Settle();
    ExpectClockOff(setUp);

    Table opponent;
    ToSecondTurn(opponent);
    opponent.control.ChooseOpponent();
    opponent.Settle();
    ExpectClockOff(opponent);
}

TEST(GameClock, ALoadedGameShowsItsStoredTimeOrNoClock) {
    for (bool timed : {true, false}) {
        SCOPED_TRACE(timed ? "timed" : "untimed");
        Table table;
        ToSecondTurn(table);
        GameRecord& record = table.record();
        record.TimerOn = timed;
        record.TimeLeft = static_cast<int16_t>(timed ? 1234 : 0);
        record.MoveNumber = 3;
        record.MoveCount = 2;
        table.view.clockTimes.clear();
        table.control.GameLoaded();
        table.Settle();
        if (timed) {
            EXPECT_TRUE(record.TimerOn);
            EXPECT_EQ(record.TimeLeft, 1234);
            EXPECT_EQ(table.view.clockTimes.front(), std::make_pair(617, true));
            EXPECT_TRUE(table.view.clockFaceVisible);
            EXPECT_TRUE(table.control.TimerEnabled(TimerId::Clock));
            EXPECT_EQ(table.control.ClockGrace(), 10);
            EXPECT_EQ(table.view.caption, "Zeko : Beginner");
        } else {
            ExpectClockOff(table);
        }
    }
}

TEST(GameClock, AGameEndedByTheRulesKeepsItsClockOnButStopsIt) {
    Table table;
    table.NewGame(true, 1);
    PlayOut(table, VariedPit);
    EXPECT_TRUE(table.record().TimerOn);
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Clock));
    EXPECT_EQ(table.view.resultDialogs.size(), 1u);
}

}  // namespace
}  // namespace zeko::game::testing
