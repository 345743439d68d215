// Whole games through the event ring with the real engine: a person against
// the computer, two people, and a game that ends by repetition. The person
// plays only pits that show the playable pointer.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <sstream>

#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

// A number as the score message writes it: a blank before one of 0 or more.
std::string Str(int32_t value) {
    std::ostringstream text;
    text << (value >= 0 ? " " : "") << value;
    return text.str();
}

// What the engine says the recorded line gives: the final board and how it ended.
std::pair<Board, int32_t> Outcome(Table& table) {
    Board board = kStandardStart;
    std::array<int32_t, 6> trackers{};
    int32_t r = 0;
    for (int k = 1; k <= table.record().MoveCount; ++k)
        r = table.engine.execmove(board.data(), table.record().Moves[static_cast<size_t>(k)],
                                  trackers.data());
    return {board, r};
}

struct ComputerGameCase {
    const char* name;
    int level;
    bool timed;
    std::string person;  // NameBottomHalf
    double rnd;
    int personLevel;  // 0: a simple player; else the engine plays for the person
};

class PersonAgainstComputer : public ::testing::TestWithParam<ComputerGameCase> {};

TEST_P(PersonAgainstComputer, PlaysFromTheStartToTheEnd) {
    const auto& param = GetParam();
    Table table;
    table.rnd = param.rnd;
    table.record().NameBottomHalf = param.person;
    table.NewGame(true, param.level);
    if (!param.timed) table.control.TimerOff();
    ASSERT_EQ(table.record().TimerOn, param.timed);

    // A person who thinks as the engine does at its level holds out longer,
    // into the endgame where the computer's searches go deeper.
    const Chooser thoughtful = [&table, &param](const std::vector<int>& playable, int turn) {
        const Board turned = rotateboard(table.record().Board);
        const int pit = table.engine.findmove(turned.data(), param.personLevel) - 6;
        const bool allowed = std::find(playable.begin(), playable.end(), pit) != playable.end();
        return allowed ? pit : VariedPit(playable, turn);
    };
    PlayOut(table, param.personLevel > 0 ? thoughtful : Chooser(VariedPit));

    const GameRecord& record = table.record();
    RecordProperty("moves", record.MoveCount);
    for (int k = 1; k <= record.MoveCount; ++k)
        EXPECT_EQ(record.Moves[static_cast<size_t>(k)] > 5, k % 2 == 0) << "move " << k;
    EXPECT_EQ(table.rndCalls, 1);  // only the reply to the first move is random
    const auto [board, r] = Outcome(table);
    EXPECT_EQ(record.Board, board);
    EXPECT_NE(r, 0);
    EXPECT_EQ(static_cast<int>(table.control.EndCode()), r);
    EXPECT_EQ(record.MoveNumber, record.MoveCount + 1);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    int moveRedraws = 0;
    for (const auto& call : table.view.positions)
        moveRedraws += call.full ? 0 : 1;
    EXPECT_EQ(moveRedraws, record.MoveCount);

    if (param.timed) {
        EXPECT_EQ(table.view.resultDialogs, std::vector<int>{r});
        EXPECT_TRUE(table.view.messages.empty());
        EXPECT_TRUE(record.TimerOn);
        EXPECT_FALSE(table.control.TimerEnabled(TimerId::Clock));
    } else {
        EXPECT_TRUE(table.view.resultDialogs.empty());
        ASSERT_EQ(table.view.messages.size(), 1u);
        const std::string person = param.person.empty() ? "Human" : param.person;
        EXPECT_EQ(table.view.messages[0].text,
                  "Computer" + Str(board[12]) + "  -  " + person + Str(board[13]));
        EXPECT_EQ(table.view.messages[0].title, "Zeko");
        EXPECT_EQ(table.view.messages[0].icon, MessageIcon::None);
    }
    // Nothing plays on after the end.
    const int moves = record.MoveCount;
    for (int pit = 0; pit < 12; ++pit) {
        EXPECT_EQ(table.view.pitPointers[static_cast<size_t>(pit)], Pointer::Default);
        table.Click(pit);
        EXPECT_FALSE(table.control.KeyPress(static_cast<char>('a' + pit % 6)));
    }
    EXPECT_EQ(record.MoveCount, moves);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, PersonAgainstComputer,
    ::testing::Values(ComputerGameCase{"BeginnerTimed", 1, true, "", 0.0, 0},
                      ComputerGameCase{"NoviceTimed", 2, true, "", 0.7, 0},
                      ComputerGameCase{"BeginnerPractice", 1, false, "", 0.4, 0},
                      ComputerGameCase{"NovicePracticeNamed", 2, false, "Ann", 0.99, 0},
                      ComputerGameCase{"NoviceAgainstAThoughtfulPerson", 2, true, "", 0.2, 2},
                      ComputerGameCase{"BeginnerPracticeThoughtful", 1, false, "Bo", 0.5, 2}),
    [](const auto& test) { return std::string(test.param.name); });

struct TwoPeopleCase {
    const char* name;
    std::string bottom;
    std::string top;
};

class TwoPeople : public ::testing::TestWithParam<TwoPeopleCase> {};

TEST_P(TwoPeople, PlayFromTheStartToTheEnd) {
    Table table;
    table.record().NameBottomHalf = GetParam().bottom;
    table.record().NameTopHalf = GetParam().top;
    table.NewGame(false);
    EXPECT_FALSE(table.record().TimerOn);

    PlayOut(table, [](const std::vector<int>& playable, int turn) {
        return turn % 3 == 0 ? playable.back() : VariedPit(playable, turn / 2);
    });

    RecordProperty("moves", table.record().MoveCount);
    const auto [board, r] = Outcome(table);
    EXPECT_EQ(table.record().Board, board);
    EXPECT_EQ(static_cast<int>(table.control.EndCode()), r);
    EXPECT_TRUE(table.view.resultDialogs.empty());
    ASSERT_EQ(table.view.messages.size(), 1u);
    const std::string bottom = GetParam().bottom.empty() ? "Human 1" : GetParam().bottom;
    const std::string top = GetParam().top.empty() ? "Human 2" : GetParam().top;
    EXPECT_EQ(table.view.messages[0].text,
              top + " : " + Str(board[12]) + "  -  " + bottom + " : " + Str(board[13]));
    EXPECT_EQ(table.view.messages[0].title, "Zeko");
    EXPECT_EQ(table.view.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(table.rndCalls, 0);
}

INSTANTIATE_TEST_SUITE_P(Names, TwoPeople,
                         ::testing::Values(TwoPeopleCase{"Unnamed", "", ""},
                                           TwoPeopleCase{"Named", "Ann", "Bob"}),
                         [](const auto& test) { return std::string(test.param.name); });

// A legal two-person game from the start that ends by repetition, found by
// playing random legal moves.
std::vector<int> RepetitionGame(Rules& rules) {
    for (uint32_t seed = 1; seed < 5000; ++seed) {
        std::mt19937 random(seed);
        Board board = kStandardStart;
        std::array<int32_t, 6> trackers{};
        bool top = false;
        std::vector<int> moves;
        for (int ply = 0; ply < 1000; ++ply) {
            const auto pits = rules.LegalPits(board, top, moves.empty());
            if (pits.empty()) break;
            const int pit = pits[random() % pits.size()];
            moves.push_back(pit);
            const int32_t r = rules.Play(board, trackers, pit);
            if (r == 2) return moves;
            if (r != 0) break;
            top = !top;
        }
    }
    return {};
}

TEST(Repetition, TwoPeopleGameEndsByRepetitionAndEndsAgainAfterTakeBackAndReplay) {
    Table table;
    Rules rules{table.engine};
    const auto line = RepetitionGame(rules);
    ASSERT_FALSE(line.empty());
    table.NewGame(false);

    size_t next = 0;
    PlayOut(
        table,
        [&](const std::vector<int>& playable, int) {
            EXPECT_NE(std::find(playable.begin(), playable.end(), line[next]), playable.end());
            return line[next++];
        },
        static_cast<int>(line.size()));
    ASSERT_EQ(next, line.size());

    const GameRecord& record = table.record();
    EXPECT_EQ(static_cast<int>(table.control.EndCode()), 2);
    EXPECT_EQ(record.MoveCount, static_cast<int>(line.size()));
    const size_t highest = 20 * ((line.size() - 1) / 20 + 1);  // grown in steps of 20
    EXPECT_EQ(record.Moves.size(), highest + 1);
    for (int pit = 0; pit < 12; ++pit)
        EXPECT_EQ(record.Board[static_cast<size_t>(pit)], 0);
    EXPECT_EQ(record.Board[12] + record.Board[13], 48);
    ASSERT_EQ(table.view.messages.size(), 1u);
    const std::string score =
        "Human 2 : " + Str(record.Board[12]) + "  -  Human 1 : " + Str(record.Board[13]);
    EXPECT_EQ(table.view.messages[0].text, score);

    // One move back, the repeats counted again from the start; replaying it
    // ends the game the same way.
    table.control.TakeBack();
    table.Settle();
    EXPECT_FALSE(record.GameOver);
    EXPECT_EQ(record.MoveNumber, static_cast<int>(line.size()));
    EXPECT_EQ(record.TopToMove, line.back() > 5);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
    EXPECT_EQ(table.PlayablePits(),
              rules.LegalPits(record.Board, record.TopToMove, record.OpeningFlag));

    ASSERT_TRUE(table.control.GameMenu().Replay);
    table.control.Replay();
    table.Settle();
    EXPECT_TRUE(record.GameOver);
    EXPECT_EQ(static_cast<int>(table.control.EndCode()), 2);
    ASSERT_EQ(table.view.messages.size(), 2u);
    EXPECT_EQ(table.view.messages[1].text, score);
    EXPECT_EQ(table.control.State(), PlayState::Idle);
}

}  // namespace
}  // namespace zeko::game::testing
