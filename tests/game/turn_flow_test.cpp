// The turn flow between the moves: the opening and the computer's random first
// replies, the playable pointers, the keyboard, the response delay, the
// flashing of the computer's pit, the event ring and the caption.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

std::array<Pointer, 12> PointersOn(const std::vector<int>& pits) {
    std::array<Pointer, 12> pointers;
    pointers.fill(Pointer::Default);
    for (int pit : pits)
        pointers[static_cast<size_t>(pit)] = Pointer::Playable;
    return pointers;
}

// Any search fails the test: it is stopped at its first look and the level
// dropped, so that a wrong call ends quickly.
void ForbidSearch(Table& table) {
    table.OnLook([&table](int) {
        ADD_FAILURE() << "findmove was called";
        PostMessageA(&table.window, WM_STOPSEARCH, 0, 0);
        table.record().Level = 1;
    });
}

TEST(TurnFlow, TheWindowStartsBusyWithEveryTimerDisarmed) {
    Table table;
    EXPECT_EQ(table.control.State(), PlayState::Busy);
    for (auto id : {TimerId::Event, TimerId::Delay, TimerId::Flash, TimerId::Clock})
        EXPECT_FALSE(table.control.TimerEnabled(id));
    EXPECT_EQ(table.control.PendingEvents(), 0u);
}

TEST(TurnFlow, FromTheStartOnlyPitsCToFArePlayable) {
    for (bool computer : {true, false}) {
        SCOPED_TRACE(computer ? "computer game" : "two people");
        Table table;
        table.NewGame(computer);
        EXPECT_EQ(table.control.State(), PlayState::Idle);
        EXPECT_TRUE(table.record().OpeningFlag);
        EXPECT_EQ(table.view.windowPointer, Pointer::Default);
        EXPECT_EQ(table.view.pitPointers, PointersOn({2, 3, 4, 5}));

        for (int pit : {0, 1, 6, 7, 8, 9, 10, 11}) {
            table.control.ClickPit(pit);
            EXPECT_EQ(table.control.PendingEvents(), 0u) << "pit " << pit;
        }
        table.Settle();
        EXPECT_EQ(table.record().MoveCount, 0);
        EXPECT_EQ(table.record().Board, kStandardStart);
        EXPECT_TRUE(table.view.messages.empty());
        EXPECT_TRUE(table.view.errors.empty());
    }
}

TEST(TurnFlow, ComputerGameKeepsTheOpeningFlagUntilTheComputersFirstMove) {
    Table table;
    table.NewGame(true);
    table.control.ClickPit(3);
    ASSERT_TRUE(table.Tick());  // event 3: the person's move
    EXPECT_EQ(table.record().Moves[1], 3);
    EXPECT_TRUE(table.record().TopToMove);
    EXPECT_TRUE(table.record().OpeningFlag);
    EXPECT_EQ(table.control.State(), PlayState::Busy);
    EXPECT_EQ(table.view.positions.back().full, false);
    EXPECT_EQ(table.view.positions.back().old, kStandardStart);
    EXPECT_EQ(table.view.positions.back().now, table.record().Board);

    table.Settle();
    EXPECT_EQ(table.record().MoveCount, 2);
    EXPECT_FALSE(table.record().OpeningFlag);
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    // Without the opening rule every pit that feeds the computer may be played.
    Rules rules{table.engine};
    EXPECT_EQ(table.PlayablePits(), rules.LegalPits(table.record().Board, false, false));
}

TEST(TurnFlow, TwoPeopleClearTheOpeningFlagWithTheFirstMove) {
    Table table;
    table.NewGame(false);
    table.control.ClickPit(2);
    ASSERT_TRUE(table.Tick());
    EXPECT_FALSE(table.record().OpeningFlag);
    table.Settle();
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    // Pits a and b keep their stones in the top row: playable only without the
    // opening rule.
    EXPECT_EQ(table.view.pitPointers, PointersOn({6, 7, 8, 9, 10, 11}));
    table.Click(6);
    EXPECT_EQ(table.record().Moves[2], 6);
    EXPECT_EQ(table.view.pitPointers[6], Pointer::Default);
    EXPECT_FALSE(table.record().TopToMove);
}

TEST(TurnFlow, AfterAPassTheTopHalfOpensUnderTheOpeningRule) {
    Table table;
    table.NewGame(false);
    ASSERT_TRUE(table.control.GameMenu().Pass);
    table.control.Pass();
    table.Settle();
    EXPECT_TRUE(table.record().TopToMove);
    EXPECT_TRUE(table.record().OpeningFlag);
    EXPECT_EQ(table.record().MoveCount, 0);
    EXPECT_EQ(table.view.pitPointers, PointersOn({8, 9, 10, 11}));
    table.Click(6);
    EXPECT_EQ(table.record().MoveCount, 0);
    table.Click(9);
    EXPECT_EQ(table.record().Moves[1], 9);
    EXPECT_FALSE(table.record().OpeningFlag);
    EXPECT_FALSE(table.control.GameMenu().Pass);
}

struct RandomReply {
    double rnd;
    int pit;
};

class ReplyAfterPass : public ::testing::TestWithParam<RandomReply> {};

TEST_P(ReplyAfterPass, IsARandomPitFromCToF) {
    Table table;
    table.rnd = GetParam().rnd;
    table.NewGame(true, 9);
    ForbidSearch(table);
    table.control.Pass();
    table.Settle();
    EXPECT_EQ(table.rndCalls, 1);
    ASSERT_EQ(table.record().MoveCount, 1);
    EXPECT_EQ(table.record().Moves[1], GetParam().pit);
    EXPECT_FALSE(table.record().OpeningFlag);
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

INSTANTIATE_TEST_SUITE_P(Rnd, ReplyAfterPass,
                         ::testing::Values(RandomReply{0.0, 8}, RandomReply{0.2499, 8},
                                           RandomReply{0.25, 9}, RandomReply{0.5, 10},
                                           RandomReply{0.7499, 10}, RandomReply{0.75, 11},
                                           RandomReply{0.9999, 11}));

struct FirstMoveReply {
    int personPit;
    double rnd;
    int pit;
};

class ReplyToTheFirstMove : public ::testing::TestWithParam<FirstMoveReply> {};

TEST_P(ReplyToTheFirstMove, IsARandomPitFromAToF) {
    Table table;
    table.rnd = GetParam().rnd;
    table.NewGame(true, 9);
    ForbidSearch(table);
    table.Click(GetParam().personPit);
    EXPECT_EQ(table.rndCalls, 1);
    ASSERT_EQ(table.record().MoveCount, 2);
    EXPECT_EQ(table.record().Moves[1], GetParam().personPit);
    EXPECT_EQ(table.record().Moves[2], GetParam().pit);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

INSTANTIATE_TEST_SUITE_P(Rnd, ReplyToTheFirstMove,
                         ::testing::Values(FirstMoveReply{2, 0.0, 6}, FirstMoveReply{2, 0.1666, 6},
                                           FirstMoveReply{3, 0.1667, 7}, FirstMoveReply{4, 0.34, 8},
                                           FirstMoveReply{5, 0.5, 9}, FirstMoveReply{2, 0.6667, 10},
                                           FirstMoveReply{3, 0.9999, 11},
                                           FirstMoveReply{5, 0.8, 10}));

// ---- Keys ----

struct KeyCase {
    char key;
    int pit;  // of the side to move, 0-5
};

class PitKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(PitKeys, PlayThatPitOfTheBottomHalf) {
    Table table;
    table.NewGame(true);
    // A set-up start without the opening rule: all six pits may be played.
    table.control.PositionAccepted(kStandardStart, false);
    table.Settle();
    EXPECT_TRUE(table.control.KeyPress(GetParam().key));
    table.Settle();
    ASSERT_GE(table.record().MoveCount, 1);
    EXPECT_EQ(table.record().Moves[1], GetParam().pit);
}

TEST_P(PitKeys, PlayThatPitOfTheTopHalfInATwoPersonGame) {
    Table table;
    table.NewGame(false);
    table.control.PositionAccepted(kStandardStart, true);
    table.Settle();
    EXPECT_TRUE(table.control.KeyPress(GetParam().key));
    table.Settle();
    ASSERT_EQ(table.record().MoveCount, 1);
    EXPECT_EQ(table.record().Moves[1], GetParam().pit + 6);
}

INSTANTIATE_TEST_SUITE_P(Letters, PitKeys,
                         ::testing::Values(KeyCase{'1', 0}, KeyCase{'2', 1}, KeyCase{'3', 2},
                                           KeyCase{'4', 3}, KeyCase{'5', 4}, KeyCase{'6', 5},
                                           KeyCase{'a', 0}, KeyCase{'b', 1}, KeyCase{'c', 2},
                                           KeyCase{'d', 3}, KeyCase{'e', 4}, KeyCase{'f', 5},
                                           KeyCase{'A', 0}, KeyCase{'B', 1}, KeyCase{'C', 2},
                                           KeyCase{'D', 3}, KeyCase{'E', 4}, KeyCase{'F', 5}));

TEST(Keys, CAndThreePlayPitTwoOfTheSideToMove) {
    for (char key : {'c', 'C', '3'}) {
        SCOPED_TRACE(key);
        Table computer;
        computer.NewGame(true);
        EXPECT_TRUE(computer.control.KeyPress(key));
        computer.Settle();
        ASSERT_EQ(computer.record().MoveCount, 2);
        EXPECT_EQ(computer.record().Moves[1], 2);

        Table people;
        people.NewGame(false);
        people.Click(3);
        EXPECT_TRUE(people.control.KeyPress(key));
        people.Settle();
        ASSERT_EQ(people.record().MoveCount, 2);
        EXPECT_EQ(people.record().Moves[2], 8);
    }
}

TEST(Keys, OtherKeysAreNotConsumedAndIllegalPitsAreIgnored) {
    Table table;
    table.NewGame(true);
    for (char key : {'0', '7', 'g', 'G', 'z', ' ', 'x'}) {
        EXPECT_FALSE(table.control.KeyPress(key)) << key;
        EXPECT_EQ(table.control.PendingEvents(), 0u) << key;
    }
    for (char key : {'a', 'A', '1', 'b', 'B', '2'}) {  // pits 0 and 1 at the opening
        EXPECT_TRUE(table.control.KeyPress(key)) << key;
        EXPECT_EQ(table.control.PendingEvents(), 0u) << key;
    }
    EXPECT_EQ(table.record().MoveCount, 0);
}

TEST(Keys, AnyKeyOnTheWelcomeScreenOnlyDismissesIt) {
    Table table;
    table.NewGame(true);
    table.view.welcomeVisible = true;
    for (char key : {'c', 'x'}) {
        EXPECT_TRUE(table.control.KeyPress(key));
        table.Settle();
        EXPECT_FALSE(table.view.welcomeVisible);
        EXPECT_EQ(table.control.State(), PlayState::Idle);
        EXPECT_EQ(table.record().MoveCount, 0);
        table.view.welcomeVisible = true;
    }
}

TEST(Keys, NoKeyPlaysAfterTheEnd) {
    Table table;
    table.record().ComputerGame = false;
    table.control.PositionAccepted({0, 0, 0, 0, 0, 1, 2, 4, 4, 4, 4, 4, 1, 24}, false);
    table.Settle();
    table.Click(5);  // captures two and passes 24
    ASSERT_TRUE(table.record().GameOver);
    for (char key : {'c', 'C', '3', '\r'})
        EXPECT_FALSE(table.control.KeyPress(key)) << key;
    EXPECT_FALSE(table.control.KeyDown(GameControl::Arrow::Right));
    EXPECT_EQ(table.control.PendingEvents(), 0u);
}

TEST(MoveIndicator, ArrowsWalkTheLegalPitsAndEnterPlaysTheIndicatedPit) {
    Table table;
    table.options().View[settings::kViewMoveIndicator] = true;
    table.NewGame(true);
    EXPECT_EQ(table.control.IndicatorPit(), 2);
    EXPECT_EQ(table.view.looks[2], PitLook::Indicator);

    using Arrow = GameControl::Arrow;
    const std::vector<std::pair<Arrow, int>> walk = {
        {Arrow::Right, 3}, {Arrow::Right, 4}, {Arrow::Right, 5}, {Arrow::Right, 2},
        {Arrow::Left, 5},  {Arrow::Left, 4},  {Arrow::Left, 3}};
    int previous = 2;
    for (const auto& [arrow, pit] : walk) {
        EXPECT_TRUE(table.control.KeyDown(arrow));
        EXPECT_EQ(table.control.IndicatorPit(), pit);
        EXPECT_EQ(table.view.looks[static_cast<size_t>(pit)], PitLook::Indicator);
        EXPECT_EQ(table.view.looks[static_cast<size_t>(previous)], PitLook::Normal);
        previous = pit;
    }
    EXPECT_EQ(table.control.PendingEvents(), 0u);

    EXPECT_TRUE(table.control.KeyPress('\r'));
    table.Settle();
    ASSERT_EQ(table.record().MoveCount, 2);
    EXPECT_EQ(table.record().Moves[1], 3);
    // Back on the first legal pit for the next move.
    Rules rules{table.engine};
    const int first = rules.LegalPits(table.record().Board, false, false).front();
    EXPECT_EQ(table.control.IndicatorPit(), first);
    EXPECT_EQ(table.view.looks[static_cast<size_t>(first)], PitLook::Indicator);

    table.options().View[settings::kViewMoveIndicator] = false;
    EXPECT_FALSE(table.control.KeyDown(Arrow::Right));
}

TEST(MoveIndicator, InTheTopRowRightStepsBackAndEnterDoesNotPlayInATwoPersonGame) {
    Table table;
    table.options().View[settings::kViewMoveIndicator] = true;
    table.NewGame(false);
    EXPECT_TRUE(table.control.KeyPress('\r'));
    EXPECT_EQ(table.control.PendingEvents(), 0u);
    table.Click(2);
    ASSERT_TRUE(table.record().TopToMove);
    EXPECT_EQ(table.control.IndicatorPit(), 6);

    using Arrow = GameControl::Arrow;
    const std::vector<std::pair<Arrow, int>> walk = {
        {Arrow::Right, 11}, {Arrow::Right, 10}, {Arrow::Left, 11}, {Arrow::Left, 6}};
    for (const auto& [arrow, pit] : walk) {
        EXPECT_TRUE(table.control.KeyDown(arrow));
        EXPECT_EQ(table.control.IndicatorPit(), pit);
    }
    EXPECT_TRUE(table.control.KeyPress('\r'));
    table.Settle();
    EXPECT_EQ(table.record().MoveCount, 1);
}

TEST(MoveIndicator, StepsOverIllegalPitsWithWrapAround) {
    Table table;
    table.options().View[settings::kViewMoveIndicator] = true;
    table.NewGame(true);
    table.control.PositionAccepted({1, 1, 1, 1, 0, 0, 4, 4, 4, 4, 4, 4, 10, 10}, false);
    table.Settle();
    EXPECT_EQ(table.control.IndicatorPit(), 0);
    using Arrow = GameControl::Arrow;
    for (int pit : {1, 2, 3, 0}) {
        EXPECT_TRUE(table.control.KeyDown(Arrow::Right));
        EXPECT_EQ(table.control.IndicatorPit(), pit);
    }
    EXPECT_TRUE(table.control.KeyDown(Arrow::Left));
    EXPECT_EQ(table.control.IndicatorPit(), 3);
}

// ---- The response delay and the flashing ----

// A computer game at level 4 set up with the computer to move: its search
// looks at the message queue, and the clock is advanced there by searchMs.
void ComputerThinksFor(Table& table, int64_t searchMs) {
    table.NewGame(true, 4);
    table.OnLook([&table, searchMs](int look) {
        if (look == 1) table.nowMs += searchMs;
    });
    table.control.PositionAccepted(kStandardStart, true);
    table.RunEvents();
    ASSERT_GE(table.looks, 1);
}

struct DelayCase {
    int64_t searchMs;
    int delayLeft;
    int waitTicks;  // 0: shown at once
};

class FixedDelay : public ::testing::TestWithParam<DelayCase> {};

TEST_P(FixedDelay, CountsTheThinkingTimeIn) {
    Table table;
    table.nowMs = 3'000'000'000'000;
    table.options().DelayActivated = true;
    table.options().DelayFixed = true;
    table.options().DelayTime = 4;
    ComputerThinksFor(table, GetParam().searchMs);
    EXPECT_EQ(table.control.DelayLeft(), GetParam().delayLeft);

    int ticks = 0;
    if (GetParam().waitTicks > 0) {
        EXPECT_EQ(table.control.State(), PlayState::AwaitingResponse);
        EXPECT_EQ(table.control.TimerInterval(TimerId::Delay), 500);
        EXPECT_EQ(table.timers.Interval(TimerId::Delay), 500);
        EXPECT_TRUE(table.control.GameMenu().MoveNow);
        while (table.control.TimerEnabled(TimerId::Delay)) {
            EXPECT_EQ(table.record().MoveCount, 0) << "played before the delay ran out";
            table.control.OnDelayTimer();
            ++ticks;
        }
        EXPECT_EQ(table.control.State(), PlayState::Busy);
        EXPECT_EQ(table.view.windowPointer, Pointer::Hourglass);
        table.RunEvents();
    }
    EXPECT_EQ(ticks, GetParam().waitTicks);
    EXPECT_EQ(table.record().MoveCount, 1);
    EXPECT_GT(table.record().Moves[1], 5);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

INSTANTIATE_TEST_SUITE_P(SearchTime, FixedDelay,
                         ::testing::Values(DelayCase{0, 8, 8}, DelayCase{1000, 6, 6},
                                           DelayCase{1200, 6, 6}, DelayCase{1300, 5, 5},
                                           DelayCase{3400, 1, 1}, DelayCase{4000, 0, 0},
                                           DelayCase{5000, -2, 0}));

TEST(ResponseDelay, OffShowsTheMoveAtOnceWhateverTheDelayTime) {
    Table table;
    table.options().DelayActivated = false;
    table.options().DelayTime = 10;
    ComputerThinksFor(table, 100);
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Delay));
    EXPECT_EQ(table.record().MoveCount, 1);
}

TEST(ResponseDelay, MoveNowEndsTheFixedWait) {
    Table table;
    table.options().DelayActivated = true;
    table.options().DelayFixed = true;
    table.options().DelayTime = 10;
    ComputerThinksFor(table, 0);
    table.control.OnDelayTimer();
    table.control.OnDelayTimer();
    ASSERT_EQ(table.control.State(), PlayState::AwaitingResponse);
    table.control.MoveNow();
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Delay));
    EXPECT_EQ(table.control.DelayLeft(), 0);
    EXPECT_EQ(table.control.State(), PlayState::Busy);
    table.Settle();
    EXPECT_EQ(table.record().MoveCount, 1);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

class ClickToSeeResponse : public ::testing::TestWithParam<bool> {};

TEST_P(ClickToSeeResponse, ShowsThePitAndPlaysItOnAClickOrMoveNowWithoutFlashing) {
    const bool byMoveNow = GetParam();
    Table table;
    table.options().DelayActivated = true;
    table.options().DelayFixed = false;
    table.options().View[settings::kViewFlashingMoves] = true;
    ComputerThinksFor(table, 0);
    const int pit = table.control.MovePit();
    ASSERT_GT(pit, 5);
    EXPECT_EQ(table.control.State(), PlayState::AwaitingResponse);
    EXPECT_EQ(table.view.windowPointer, Pointer::Default);
    EXPECT_EQ(table.view.pitPointers, PointersOn({pit}));
    EXPECT_EQ(table.view.looks[static_cast<size_t>(pit)], PitLook::Flash);
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Delay));
    EXPECT_TRUE(table.control.GameMenu().MoveNow);

    for (int other = 0; other < 12; ++other) {
        if (other == pit) continue;
        table.control.ClickPit(other);
        EXPECT_EQ(table.control.State(), PlayState::AwaitingResponse);
        EXPECT_EQ(table.control.PendingEvents(), 0u);
    }
    table.Settle();
    EXPECT_EQ(table.record().MoveCount, 0);

    const size_t paintsBefore = table.view.paints.size();
    if (byMoveNow)
        table.control.MoveNow();
    else
        table.control.ClickPit(pit);
    EXPECT_EQ(table.control.State(), PlayState::Busy);
    EXPECT_EQ(table.view.windowPointer, Pointer::Hourglass);
    table.RunEvents();
    EXPECT_EQ(table.control.FlashCount(), 1);
    EXPECT_EQ(table.control.TimerInterval(TimerId::Flash), 1);
    table.Settle();
    ASSERT_EQ(table.record().MoveCount, 1);
    EXPECT_EQ(table.record().Moves[1], pit);
    for (size_t i = paintsBefore; i < table.view.paints.size(); ++i)
        EXPECT_NE(table.view.paints[i].second, PitLook::Flash) << "paint " << i;
    EXPECT_EQ(table.view.looks[static_cast<size_t>(pit)], PitLook::Normal);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

INSTANTIATE_TEST_SUITE_P(ClickOrMoveNow, ClickToSeeResponse, ::testing::Values(false, true));

// The person opens with pit 2 and the computer's reply (pit 6 + 3) starts to
// flash; returns with the flash timer armed.
void UntilTheReplyFlashes(Table& table) {
    table.rnd = 0.5;
    table.options().View[settings::kViewFlashingMoves] = true;
    table.NewGame(true);
    table.control.ClickPit(2);
    table.RunEvents();
    ASSERT_TRUE(table.control.TimerEnabled(TimerId::Flash));
    ASSERT_EQ(table.control.MovePit(), 9);
}

TEST(Flashing, TheComputersPitFlashesFiveTimesBeforeItIsPlayed) {
    Table table;
    UntilTheReplyFlashes(table);
    EXPECT_EQ(table.control.FlashCount(), 10);
    EXPECT_EQ(table.control.TimerInterval(TimerId::Flash), 250);
    EXPECT_EQ(table.timers.Interval(TimerId::Flash), 250);
    const Board before = table.record().Board;

    std::vector<PitLook> seen;
    while (table.control.TimerEnabled(TimerId::Flash)) {
        EXPECT_EQ(table.record().Board, before) << "played during the flashing";
        table.control.OnFlashTimer();
        seen.push_back(table.view.looks[9]);
        ASSERT_LE(seen.size(), 10u);
    }
    const auto F = PitLook::Flash;
    const auto N = PitLook::Normal;
    EXPECT_EQ(seen, (std::vector<PitLook>{F, N, F, N, F, N, F, N, F, N}));
    table.Settle();
    EXPECT_EQ(table.record().MoveCount, 2);
    EXPECT_EQ(table.record().Moves[2], 9);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

TEST(Flashing, NewGameDuringTheFlashingDropsTheMove) {
    Table table;
    UntilTheReplyFlashes(table);
    for (int i = 0; i < 3; ++i)
        table.control.OnFlashTimer();
    ASSERT_EQ(table.view.looks[9], PitLook::Flash);
    table.control.NewGame();
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Flash));
    table.Settle();
    EXPECT_EQ(table.record().MoveCount, 0);
    EXPECT_EQ(table.record().Board, kStandardStart);
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_EQ(table.view.looks[9], PitLook::Normal);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    table.Click(4);
    EXPECT_EQ(table.record().Moves[1], 4);
}

class NewGameWhileAwaitingResponse : public ::testing::TestWithParam<bool> {};

TEST_P(NewGameWhileAwaitingResponse, DropsTheWaitingMove) {
    Table table;
    table.options().DelayActivated = true;
    table.options().DelayFixed = GetParam();
    table.options().DelayTime = 6;
    ComputerThinksFor(table, 0);
    ASSERT_EQ(table.control.State(), PlayState::AwaitingResponse);
    table.control.NewGame();
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Delay));
    EXPECT_EQ(table.control.DelayLeft(), 0);
    table.Settle();
    EXPECT_EQ(table.record().MoveCount, 0);
    EXPECT_EQ(table.record().Board, kStandardStart);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    EXPECT_EQ(table.view.pitPointers, PointersOn({2, 3, 4, 5}));
}

INSTANTIATE_TEST_SUITE_P(FixedOrClick, NewGameWhileAwaitingResponse,
                         ::testing::Values(true, false));

// Once the computer's move is on its way in the ring (the search has just
// ended, or Move Now, the last delay tick or the click on the chosen pit has
// queued "show computer move"), New must still start a clean game in which the
// bottom half moves first: the old game's pit is never played in it.
enum class ShowQueuedBy { SearchEnded, MoveNow, LastDelayTick, ClickOnPit };

struct QueuedShow {
    const char* name;
    ShowQueuedBy by;
    bool flashing;
};

class NewGameWithTheComputersMoveQueued : public ::testing::TestWithParam<QueuedShow> {};

TEST_P(NewGameWithTheComputersMoveQueued, NeverPlaysTheOldGamesMove) {
    Table table;
    table.options().DelayActivated = true;
    table.options().DelayFixed = GetParam().by != ShowQueuedBy::ClickOnPit;
    table.options().DelayTime = 2;
    table.options().View[settings::kViewFlashingMoves] = GetParam().flashing;
    if (GetParam().by == ShowQueuedBy::SearchEnded) {
        table.NewGame(true, 1);
        table.control.PositionAccepted(kStandardStart, true);
        ASSERT_TRUE(table.Tick());  // the position
        ASSERT_TRUE(table.Tick());  // the computer's turn
    } else {
        ComputerThinksFor(table, 0);
        ASSERT_EQ(table.control.State(), PlayState::AwaitingResponse);
    }
    switch (GetParam().by) {
        case ShowQueuedBy::SearchEnded:
            break;
        case ShowQueuedBy::MoveNow:
            table.control.MoveNow();
            break;
        case ShowQueuedBy::LastDelayTick:
            while (table.control.TimerEnabled(TimerId::Delay))
                table.control.OnDelayTimer();
            break;
        case ShowQueuedBy::ClickOnPit:
            table.control.ClickPit(table.control.MovePit());
            break;
    }
    ASSERT_EQ(table.control.PendingEvents(), 1u);
    table.control.NewGame();
    table.Settle();
    EXPECT_EQ(table.record().MoveCount, 0);
    EXPECT_EQ(table.record().Board, kStandardStart);
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_TRUE(table.record().OpeningFlag);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, NewGameWithTheComputersMoveQueued,
    ::testing::Values(QueuedShow{"SearchEnded", ShowQueuedBy::SearchEnded, false},
                      QueuedShow{"MoveNow", ShowQueuedBy::MoveNow, false},
                      QueuedShow{"MoveNowFlashing", ShowQueuedBy::MoveNow, true},
                      QueuedShow{"LastDelayTick", ShowQueuedBy::LastDelayTick, false},
                      QueuedShow{"ClickOnPit", ShowQueuedBy::ClickOnPit, false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ResponseDelay, AnyOtherEventWhileAwaitingTheResponseMakesTheWindowIdle) {
    Table table;
    table.options().DelayActivated = true;
    table.options().DelayFixed = false;
    ComputerThinksFor(table, 0);
    ASSERT_EQ(table.control.State(), PlayState::AwaitingResponse);
    table.control.PostEvent(kStopClock);
    table.RunEvents();
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

// ---- The event ring ----

TEST(EventRing, EventsBeyondTenWaitAndAllRunInOrder) {
    Table table;
    table.record().ComputerGame = true;
    const std::vector<int> events = {1, 16, 1, 16, 1, 16, 1, 16, 1, 16, 1, 16, 2};
    for (int event : events)
        table.control.PostEvent(static_cast<Event>(event));
    EXPECT_EQ(table.control.PendingEvents(), events.size());
    table.view.calls.clear();

    EXPECT_EQ(table.RunEvents(), static_cast<int>(events.size()));
    std::vector<std::string> order;
    for (const auto& call : table.view.calls) {
        if (call == "HideWelcome" || call == "ShowClock") order.push_back(call);
    }
    std::vector<std::string> expected;
    for (int i = 0; i < 6; ++i) {
        expected.push_back("HideWelcome");
        expected.push_back("ShowClock");
    }
    expected.push_back("ShowClock");
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(table.view.clockFaceVisible);  // the new game came last
    EXPECT_EQ(table.control.PendingEvents(), 0u);
    EXPECT_FALSE(table.control.TimerEnabled(TimerId::Event));
}

TEST(EventRing, AnEventPostedWhileTheRingIsFullRunsAfterTheOthers) {
    Table table;
    table.NewGame(true);
    table.control.TryHumanMove(2);  // event 3, which queues event 6 when handled
    for (int i = 0; i < 9; ++i)
        table.control.PostEvent(kDismissWelcome);
    table.control.PostEvent(kStopClock);
    EXPECT_EQ(table.control.PendingEvents(), 11u);
    table.Settle();
    EXPECT_EQ(table.control.PendingEvents(), 0u);
    EXPECT_EQ(table.record().MoveCount, 2);  // the person's move and the reply
    EXPECT_FALSE(table.record().TimerOn);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

// ---- The caption ----

TEST(Caption, ATimedGameNamesTheLevel) {
    const char* names[] = {"Beginner", "Novice",       "Amateur", "Advanced",   "Skilful",
                           "Expert",   "Professional", "Master",  "Grandmaster"};
    for (int i = 0; i < 9; ++i) {
        Table table;
        table.NewGame(true, i + 1);
        EXPECT_EQ(table.view.caption, std::string("Zeko : ") + names[i]);
    }
}

TEST(Caption, UntimedGamesShowTheNamesOfTwoPeopleOrTheTitleAlone) {
    Table table;
    table.NewGame(true, 3);
    table.control.TimerOff();
    EXPECT_EQ(table.view.caption, "Zeko");

    table.record().NameBottomHalf = "Ann";
    table.record().NameTopHalf = "Bob";
    table.NewGame(false);
    EXPECT_EQ(table.view.caption, "Zeko : Ann - Bob");

    table.record().NameBottomHalf.clear();
    table.record().NameTopHalf.clear();
    table.NewGame(false);
    EXPECT_EQ(table.view.caption, "Zeko :  - ");
}

TEST(Caption, WhileMinimizedTheThinkingComputerSaysSo) {
    Table table;
    table.NewGame(true, 2);
    table.Click(2);
    table.view.minimized = true;
    table.view.captions.clear();
    table.Click(table.PlayablePits().front());
    EXPECT_NE(std::find(table.view.captions.begin(), table.view.captions.end(), "Zeko : Thinking"),
              table.view.captions.end());
    EXPECT_EQ(table.view.caption, "Zeko : Novice");

    table.view.minimized = false;
    table.view.captions.clear();
    table.Click(table.PlayablePits().front());
    EXPECT_FALSE(table.view.captions.empty());
    for (const auto& caption : table.view.captions)
        EXPECT_EQ(caption, "Zeko : Novice");
}

}  // namespace
}  // namespace zeko::game::testing
