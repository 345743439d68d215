// The game commands and the rules that enable them, at the moments where the
// rules change: the start, after moves, after the end, after take-back and
// replay, after a change of opponent, a set-up position and a loaded game.
#include <gtest/gtest.h>

#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

// The bottom half makes a quiet move (pit 0), the top half has the single
// move 10, and the bottom half's pit 5 then captures two and passes 24.
constexpr Board kPersonWinsOnSecondMove = {1, 0, 0, 0, 0, 6, 0, 0, 0, 0, 1, 0, 16, 24};

struct Enabled {
    bool pass, takeBack, replay, moveNow, opponent, timerOff;
};

void ExpectGameMenu(const GameControl& control, const Enabled& expected) {
    const GameMenuState menu = control.GameMenu();
    EXPECT_EQ(menu.Pass, expected.pass) << "Pass";
    EXPECT_EQ(menu.TakeBack, expected.takeBack) << "Take Back";
    EXPECT_EQ(menu.Replay, expected.replay) << "Replay";
    EXPECT_EQ(menu.MoveNow, expected.moveNow) << "Move Now";
    EXPECT_EQ(menu.Opponent, expected.opponent) << "Opponent";
    EXPECT_EQ(menu.TimerOff, expected.timerOff) << "Timer Off";
}

TEST(GameMenu, AtTheStartOfAComputerGame) {
    Table table;
    table.NewGame(true, 3);
    ExpectGameMenu(table.control, {true, false, false, false, true, true});
    const GameMenuState menu = table.control.GameMenu();
    EXPECT_TRUE(menu.Load);
    EXPECT_TRUE(menu.Save);
    EXPECT_FALSE(menu.SaveAs);
    EXPECT_TRUE(menu.OpponentComputerChecked);
    EXPECT_FALSE(menu.OpponentHumanChecked);

    const SkillMenuState skill = table.control.SkillMenu();
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_TRUE(skill.Enabled[i]);
        EXPECT_EQ(skill.Checked[i], i == 2);
    }
    const ToolsMenuState tools = table.control.ToolsMenu();
    EXPECT_TRUE(tools.Analysis);
    EXPECT_TRUE(tools.NewPosition);
    EXPECT_TRUE(tools.LevelInfo);

    table.record().RecordNumber = 12;  // stored once
    EXPECT_TRUE(table.control.GameMenu().SaveAs);
}

TEST(GameMenu, TwoPeopleThroughTheFirstMoveOrAPass) {
    Table table;
    table.NewGame(false);
    ExpectGameMenu(table.control, {true, false, false, false, true, false});
    EXPECT_TRUE(table.control.GameMenu().OpponentHumanChecked);
    EXPECT_FALSE(table.control.GameMenu().OpponentComputerChecked);

    table.Click(2);
    ExpectGameMenu(table.control, {false, true, false, false, true, false});

    table.NewGame(false);
    table.control.Pass();
    table.Settle();
    // The bottom half has passed: that can be taken back, and the top half may
    // not pass in turn.
    ExpectGameMenu(table.control, {false, true, false, false, true, false});
    table.control.TakeBack();
    table.Settle();
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_EQ(table.record().MoveNumber, 1);
    EXPECT_EQ(table.record().Board, kStandardStart);
    ExpectGameMenu(table.control, {true, false, false, false, true, false});
}

TEST(TakeBackAndReplay, ComputerGameGoesBackAPairAndReplaysItInOneStep) {
    Table table;
    table.rnd = 0.3;
    table.NewGame(true);
    table.control.TimerOff();
    table.Click(3);
    ExpectGameMenu(table.control, {false, true, false, false, true, false});
    table.Click(table.PlayablePits().back());
    ASSERT_EQ(table.record().MoveCount, 4);
    const Board after4 = table.record().Board;

    table.control.TakeBack();
    EXPECT_EQ(table.view.positions.back().full, true);
    EXPECT_EQ(table.view.positions.back().now, table.Replayed(kStandardStart, 2).first);
    table.Settle();
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    EXPECT_EQ(table.record().MoveNumber, 3);
    EXPECT_EQ(table.record().MoveCount, 4);
    EXPECT_FALSE(table.record().TopToMove);
    Rules rules{table.engine};
    EXPECT_EQ(table.PlayablePits(), rules.LegalPits(table.record().Board, false, false));
    ExpectGameMenu(table.control, {false, true, true, false, true, false});

    table.control.Replay();
    table.Settle();
    EXPECT_EQ(table.record().Board, after4);
    EXPECT_EQ(table.record().MoveNumber, 5);
    EXPECT_EQ(table.record().MoveCount, 4);  // the computer did not move again
    EXPECT_EQ(table.rndCalls, 1);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    ExpectGameMenu(table.control, {false, true, false, false, true, false});

    table.control.TakeBack();
    table.Settle();
    table.control.TakeBack();
    table.Settle();
    EXPECT_EQ(table.record().MoveNumber, 1);
    EXPECT_TRUE(table.record().OpeningFlag);
    EXPECT_EQ(table.PlayablePits(), (std::vector<int>{2, 3, 4, 5}));
    ExpectGameMenu(table.control, {true, false, true, false, true, false});

    // A different first move cuts the old line off.
    table.Click(5);
    EXPECT_EQ(table.record().MoveCount, 2);
    EXPECT_FALSE(table.control.GameMenu().Replay);
}

TEST(TakeBackAndReplay, TwoPeopleGoBackOneMoveAtATime) {
    Table table;
    table.NewGame(false);
    for (int i = 0; i < 3; ++i)
        table.Click(table.PlayablePits().front());
    ASSERT_EQ(table.record().MoveCount, 3);
    Rules rules{table.engine};

    const std::vector<std::pair<int, bool>> back = {{3, false}, {2, true}, {1, false}};
    for (const auto& [moveNumber, top] : back) {
        table.control.TakeBack();
        table.Settle();
        EXPECT_EQ(table.record().MoveNumber, moveNumber);
        EXPECT_EQ(table.record().TopToMove, top);
        EXPECT_EQ(table.control.State(), PlayState::Idle);
        EXPECT_EQ(table.PlayablePits(),
                  rules.LegalPits(table.record().Board, top, table.record().OpeningFlag));
        EXPECT_TRUE(table.control.GameMenu().Replay);
    }
    EXPECT_FALSE(table.control.GameMenu().TakeBack);
    for (int moveNumber = 2; moveNumber <= 4; ++moveNumber) {
        table.control.Replay();
        table.Settle();
        EXPECT_EQ(table.record().MoveNumber, moveNumber);
        EXPECT_EQ(table.record().TopToMove, moveNumber % 2 == 0);
        EXPECT_EQ(table.record().Board, table.Replayed(kStandardStart, moveNumber - 1).first);
    }
    EXPECT_FALSE(table.control.GameMenu().Replay);
}

TEST(TakeBackAndReplay, APersonsMoveThatEndedTheGameIsTakenBackAlone) {
    Table table;
    table.NewGame(true);
    table.control.PositionAccepted(kPersonWinsOnSecondMove, false);
    table.Settle();
    table.Click(0);
    ASSERT_EQ(table.record().MoveCount, 2);
    ASSERT_EQ(table.record().Moves[2], 10);
    table.Click(5);
    ASSERT_TRUE(table.record().GameOver);
    EXPECT_TRUE(table.record().TopToMove);
    ASSERT_EQ(table.view.messages.size(), 1u);
    EXPECT_EQ(table.view.messages[0].text, "Computer 16  -  Human 26");
    EXPECT_EQ(table.view.messages[0].icon, MessageIcon::None);
    ExpectGameMenu(table.control, {false, true, false, false, false, false});
    EXPECT_TRUE(table.control.ToolsMenu().Analysis);  // the top half's row still has stones

    table.control.TakeBack();
    table.Settle();
    EXPECT_FALSE(table.record().GameOver);
    EXPECT_EQ(table.record().MoveNumber, 3);
    EXPECT_EQ(table.record().MoveCount, 3);
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_EQ(table.PlayablePits(), (std::vector<int>{1, 5}));
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    ExpectGameMenu(table.control, {false, true, true, false, true, false});

    table.control.Replay();
    table.Settle();
    EXPECT_TRUE(table.record().GameOver);
    EXPECT_EQ(static_cast<int>(table.control.EndCode()), 1);
    ASSERT_EQ(table.view.messages.size(), 2u);
    EXPECT_EQ(table.view.messages[1].text, "Computer 16  -  Human 26");
}

TEST(TakeBackAndReplay, APersonsMoveRecordedLastIsReplayedAloneAndTheComputerAnswers) {
    Table table;
    table.NewGame(false);
    for (int i = 0; i < 4; ++i)
        table.Click(table.PlayablePits().front());
    table.control.TakeBack();
    table.Settle();
    table.control.TakeBack();
    table.Settle();
    ASSERT_EQ(table.record().MoveNumber, 3);
    table.Click(table.PlayablePits().back());  // the line now ends with the bottom half's move
    ASSERT_EQ(table.record().MoveCount, 3);
    ASSERT_TRUE(table.record().TopToMove);
    for (int i = 0; i < 3; ++i) {
        table.control.TakeBack();
        table.Settle();
    }
    ASSERT_EQ(table.record().MoveNumber, 1);

    table.control.ChooseOpponent();
    table.Settle();
    ASSERT_TRUE(table.record().ComputerGame);
    EXPECT_EQ(table.control.State(), PlayState::Idle);

    table.control.Replay();
    table.Settle();
    EXPECT_EQ(table.record().MoveNumber, 3);
    EXPECT_FALSE(table.record().TopToMove);

    table.view.positions.clear();
    table.control.Replay();
    ASSERT_FALSE(table.view.positions.empty());
    EXPECT_EQ(table.view.positions.front().now, table.Replayed(kStandardStart, 3).first);
    table.Settle();
    // The computer thought and its answer replaced the stale entry.
    EXPECT_EQ(table.record().MoveCount, 4);
    EXPECT_EQ(table.record().MoveNumber, 5);
    EXPECT_GT(table.record().Moves[4], 5);
    EXPECT_EQ(table.record().Board, table.Replayed(kStandardStart, 4).first);
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

TEST(Opponent, EitherEntrySwitchesTheOpponentAndTheClockStaysOff) {
    Table table;
    table.NewGame(true, 2);
    ASSERT_TRUE(table.record().TimerOn);
    table.control.ChooseOpponent();
    table.Settle();
    EXPECT_FALSE(table.record().ComputerGame);
    EXPECT_FALSE(table.view.skillMenuVisible);
    EXPECT_FALSE(table.record().TimerOn);
    EXPECT_EQ(table.record().TimeLeft, 0);
    EXPECT_FALSE(table.view.clockFaceVisible);
    EXPECT_EQ(table.view.caption, "Zeko :  - ");
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    EXPECT_TRUE(table.control.GameMenu().OpponentHumanChecked);

    table.control.ChooseOpponent();
    table.Settle();
    EXPECT_TRUE(table.record().ComputerGame);
    EXPECT_TRUE(table.view.skillMenuVisible);
    EXPECT_FALSE(table.record().TimerOn);
    EXPECT_EQ(table.view.caption, "Zeko");
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

TEST(Opponent, TheComputerTakesOverTheTopHalfWhenItIsToMove) {
    Table table;
    table.NewGame(false);
    table.Click(2);
    ASSERT_TRUE(table.record().TopToMove);
    EXPECT_TRUE(table.control.GameMenu().Opponent);
    table.control.ChooseOpponent();
    table.Settle();
    EXPECT_TRUE(table.record().ComputerGame);
    ASSERT_EQ(table.record().MoveCount, 2);
    EXPECT_GT(table.record().Moves[2], 5);
    EXPECT_FALSE(table.record().TopToMove);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

TEST(Pass, TwoPeopleHandTheFirstMoveToTheTopHalf) {
    Table table;
    table.NewGame(false);
    table.control.Pass();
    table.Settle();
    EXPECT_TRUE(table.record().TopToMove);
    EXPECT_EQ(table.record().MoveCount, 0);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    EXPECT_EQ(table.PlayablePits(), (std::vector<int>{8, 9, 10, 11}));
}

TEST(SetUpPosition, IsAdoptedWithTheChosenSideToMoveAndNoClock) {
    const Board position = {0, 3, 1, 0, 5, 2, 1, 0, 6, 2, 0, 2, 14, 12};
    for (bool top : {false, true}) {
        SCOPED_TRACE(top ? "top to move" : "bottom to move");
        Table table;
        table.NewGame(true, 1);
        table.record().RecordNumber = 4;
        table.control.PositionAccepted(position, top);
        EXPECT_EQ(table.control.NewPositionTopToMove(), top);
        table.view.positions.clear();
        table.Settle();
        ASSERT_FALSE(table.view.positions.empty());
        EXPECT_FALSE(table.view.positions.front().full);
        EXPECT_EQ(table.view.positions.front().old, kStandardStart);
        EXPECT_EQ(table.view.positions.front().now, position);
        EXPECT_FALSE(table.record().TimerOn);
        EXPECT_FALSE(table.record().StandardStart);
        EXPECT_EQ(table.record().StartBoard, position);
        EXPECT_EQ(table.record().RecordNumber, 4);
        EXPECT_FALSE(table.record().OpeningFlag);
        EXPECT_EQ(table.control.State(), PlayState::Idle);
        EXPECT_FALSE(table.record().TopToMove);
        // With the computer to move it has answered at once.
        EXPECT_EQ(table.record().MoveCount, top ? 1 : 0);
        Rules rules{table.engine};
        EXPECT_EQ(table.PlayablePits(), rules.LegalPits(table.record().Board, false, false));
    }
}

TEST(LoadedGame, IsRebuiltAndPlayContinuesUnlessItIsOver) {
    for (bool over : {false, true}) {
        SCOPED_TRACE(over ? "finished game" : "game in play");
        Table table;
        table.NewGame(false);
        for (int i = 0; i < 4; ++i)
            table.Click(table.PlayablePits().front());
        const auto moves = table.record().Moves;
        table.NewGame(true);

        // What the game file leaves in the record.
        GameRecord& record = table.record();
        record.Moves = moves;
        record.MoveCount = 4;
        record.MoveNumber = 3;
        record.TopToMove = false;
        record.GameOver = over;
        record.ComputerGame = false;
        record.TimerOn = false;
        record.TimeLeft = 0;
        record.RecordNumber = 9;
        table.view.skillMenuVisible = true;
        table.control.GameLoaded();
        table.Settle();

        EXPECT_EQ(record.Board, table.Replayed(kStandardStart, 2).first);
        EXPECT_FALSE(record.OpeningFlag);
        EXPECT_FALSE(table.view.skillMenuVisible);
        EXPECT_EQ(table.view.positions.back().full, true);
        EXPECT_EQ(table.control.State(), PlayState::Idle);
        EXPECT_EQ(table.control.GameMenu().SaveAs, true);
        if (over) {
            EXPECT_EQ(table.PlayablePits(), std::vector<int>{});
        } else {
            Rules rules{table.engine};
            EXPECT_EQ(table.PlayablePits(), rules.LegalPits(record.Board, false, false));
            EXPECT_TRUE(table.control.GameMenu().Replay);
        }
    }
}

TEST(ToolsMenu, AnalysisNeedsStonesOnTheSideToMoveAndNotTheComputersTurn) {
    Table table;
    table.record().ComputerGame = false;
    // The bottom half's last stone captures the top half's last two: the game
    // ends with every pit empty.
    table.control.PositionAccepted({0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 23, 23}, false);
    table.Settle();
    EXPECT_TRUE(table.control.ToolsMenu().Analysis);
    table.Click(5);
    ASSERT_TRUE(table.record().GameOver);
    EXPECT_FALSE(table.control.ToolsMenu().Analysis);
    EXPECT_TRUE(table.control.ToolsMenu().NewPosition);

    // A loaded computer game with the computer to move waits for nothing.
    Table loaded;
    loaded.NewGame(true);
    loaded.Click(2);
    loaded.record().MoveNumber = 2;
    loaded.record().MoveCount = 2;
    loaded.record().TopToMove = true;
    loaded.control.GameLoaded();
    loaded.Settle();
    ASSERT_EQ(loaded.control.State(), PlayState::Idle);
    EXPECT_FALSE(loaded.control.ToolsMenu().Analysis);
    EXPECT_FALSE(loaded.control.GameMenu().Opponent);
    EXPECT_FALSE(loaded.control.GameMenu().TakeBack);
}

TEST(Exit, ClosesTheWindowThroughTheRing) {
    Table table;
    table.NewGame(true);
    table.control.Exit();
    EXPECT_EQ(table.view.closes, 0);
    table.Settle();
    EXPECT_EQ(table.view.closes, 1);
    EXPECT_EQ(platform::threadMessageQueue().size(), 0u);
}

}  // namespace
}  // namespace zeko::game::testing
