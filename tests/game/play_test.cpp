// Whole games through the event ring against the real engine, and take-back
// and replay checked after every step against a fresh replay of the move list.
#include <algorithm>
#include <sstream>

#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

// The end-of-game message: the names and stores, "top N  -  bottom M".
std::pair<std::string, MessageIcon> Score(const GameRecord& r) {
    const bool c = r.ComputerGame;
    const std::string bottom =
        r.NameBottomHalf.empty() ? (c ? "Human" : "Human 1") : r.NameBottomHalf;
    const std::string top = r.NameTopHalf.empty() ? "Human 2" : r.NameTopHalf;
    return {"Zeko: " + (c ? "Computer " : top + " :  ") + std::to_string(r.Board[kTopStore]) +
                "  -  " + bottom + (c ? " " : " :  ") + std::to_string(r.Board[kBottomStore]),
            c ? MessageIcon::None : MessageIcon::Information};
}

TEST(WholeGame, PlaysFromTheStartToTheEndAndNothingAfterIt) {
    // A computer game or not, timed or not, the level, the names of the bottom
    // and top halves, the random number, the level the engine thinks at for the
    // person (0: a simple player).
    for (const auto& [computer, timed, level, bottom, top, rnd, personLevel] :
         std::vector<std::tuple<bool, bool, int, std::string, std::string, double, int>>{
             {true, true, 1, "", "", 0.0, 0},
             {true, false, 2, "Ann", "", 0.99, 0},
             {true, true, 2, "", "", 0.2, 2},
             {true, false, 1, "", "", 0.5, 2},
             {false, false, 1, "", "", 0.0, 0},
             {false, false, 1, "Ann", "Bob", 0.0, 2}}) {
        SCOPED_TRACE(::testing::Message() << computer << timed << level << bottom << personLevel);
        Table table;
        table.rnd = rnd;
        table.record().NameBottomHalf = bottom;
        table.record().NameTopHalf = top;
        table.NewGame(computer, level);
        if (!timed) table.control.TimerOff();
        PlayOut(table, [&](const std::vector<int>& playable, int turn) {
            const Board turned = rotateboard(table.record().Board);
            const int pit = personLevel > 0 ? table.engine.findmove(turned.data(), personLevel) : 0;
            const bool found = std::count(playable.begin(), playable.end(), pit - kPitsPerRow);
            return found ? pit - kPitsPerRow : VariedPit(playable, turn);
        });
        const GameRecord& record = table.record();
        for (int k = 1; computer && k <= record.MoveCount; ++k)
            EXPECT_EQ(record.Moves[static_cast<size_t>(k)] >= kPitsPerRow, k % 2 == 0) << k;
        EXPECT_EQ(record.Board, table.Replayed(record.MoveCount).first);
        EXPECT_NE(table.control.EndCode(), GameEnd::None);
        EXPECT_EQ(table.rndCalls, computer ? 1 : 0);  // only the first reply is drawn by lot
        EXPECT_FALSE(table.view.armed[TimerId::Clock]);
        using Messages = decltype(table.view.messages);
        EXPECT_EQ(table.view.messages, timed ? Messages{} : Messages{Score(record)});
        EXPECT_EQ(table.view.results, std::vector<GameEnd>(timed, table.control.EndCode()));
        table.Do("l");  // a finished game loaded waits for nothing
        // Nothing plays on, and the opponent stays.
        EXPECT_FALSE(table.control.GameMenu().Opponent);
        EXPECT_TRUE(table.Playable().empty());
        const Board board = record.Board;
        for (int pit = 0; pit < kPits; ++pit) {
            table.control.ClickPit(pit);
            EXPECT_FALSE(table.control.KeyPress(static_cast<char>('a' + pit % kPitsPerRow)));
        }
        table.Settle();
        EXPECT_EQ(record.MoveNumber, record.MoveCount + 1);
        EXPECT_EQ(record.Board, board);
        table.Do("nc");  // until a new game
        EXPECT_EQ(record.MoveCount, computer ? 2 : 1);
    }
}

TEST(TakeBackAndReplay, EveryStepEqualsAFreshReplayOfTheMoves) {
    // Steps as Table::Do takes them, each with the move number after it, T when
    // the top half is then to move, ! when the game is then over.
    const std::vector<std::pair<bool, const char*>> rows = {
        {false, "c2T l2T c3 c4T b3 b2T b1 r2T r3 c4T c5 b4T"},
        {true, "c3 l3 c5 b3 r5 b3 b1 r3 c5 b3"},
        {false, "p1T c2 c3T b2 b1 r2"},
        {true, "p2 c4 b2 b1 r2"},
        {false, "c2T o3"},
        {false, "c2T c3 c4T c5 b4T b3 c4T b3 b2T b1 o1 r3 r5"},
        {true, "w1 c3 c4T! b3 r4T!"},
        {false, "u1 c2T c3 c4T c5 c6T c7 u1 c2T c3 c4T c5 c6T c7 b6T r7 b6T b5 b4T b3 b2T b1"},
        // Set-ups come back whole: their side to move, no opening rule, no
        // reply by lot.
        {false, "t1T c2 b1T c2 c3T b2 b1T"},
        {true, "t2 b2"},
        {true, "v1 c3 b1 c3 b1 c3"},
    };
    for (const auto& [computer, steps] : rows) {
        SCOPED_TRACE(steps);
        Table table;
        table.NewGame(computer);
        const GameRecord& record = table.record();
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            SCOPED_TRACE(step);
            table.Do(step.substr(0, 1));
            ASSERT_EQ(std::tuple(table.control.State(), int{record.MoveNumber}, record.TopToMove,
                                 record.GameOver),
                      std::tuple(PlayState::Idle, std::stoi(step.substr(1)),
                                 step.find('T') != std::string::npos,
                                 step.find('!') != std::string::npos));
            EXPECT_LE(record.MoveNumber, record.MoveCount + 1);
            EXPECT_TRUE(step[0] != 'c' || record.MoveCount == record.MoveNumber - 1);
            EXPECT_EQ(std::make_pair(record.Board, record.Trackers),
                      table.Replayed(record.MoveNumber - 1));
            EXPECT_EQ(record.OpeningFlag, record.StandardStart && record.MoveNumber == 1);
            EXPECT_EQ(table.Playable(),
                      record.GameOver
                          ? std::vector<int>{}
                          : table.Legal(record.Board, record.TopToMove, record.OpeningFlag));
        }
    }
}

}  // namespace
}  // namespace zeko::game::testing
