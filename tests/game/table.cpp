#include "tests/game/table.h"

#include <algorithm>

namespace zeko::game::testing {

void Table::Do(std::string_view steps) {
    using Step = std::function<void(Table&)>;
    const auto setUp = [](Board board, bool top) {
        return [board, top](Table& t) { t.control.PositionAccepted(board, top); };
    };
    static const std::map<char, Step> kSteps = {
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
        {'w', setUp(kPersonWins, false)},
        // The last stones: the bottom half's captures the top half's.
        {'e', setUp({0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 23, 23}, false)},
        {'t', setUp({0, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, 12, 12}, true)},
        // One stone a side, shuffled on: the trackers count the repeats.
        {'u', setUp({1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 23, 23}, false)},
        // The top half's first pit holds four, as at the start, beside empty pits.
        {'v', setUp({0, 0, 0, 0, 1, 1, 4, 0, 0, 0, 0, 3, 20, 19}, false)},
    };
    for (char step : steps) {
        kSteps.at(step)(*this);
        Settle();
    }
}

void PlayOut(Table& table, const Chooser& choose) {
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

std::string Menus(const GameControl& control) {
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
