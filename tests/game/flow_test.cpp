// The turn flow around a move: the search and its stop, the random first
// replies, the response delay, the flashing, and the keyboard; then whole games,
// take-back and replay.

#include "engine/host_messages.h"
#include "game/event_ring.h"
#include "tests/game/table.h"

namespace zeko::game::testing {
namespace {

TEST(Thinking, AStopEndsTheSearchAtItsNextLookAndWhatCameMeanwhileRunsAfterIt) {
    enum Stop { kNew, kExit, kClose, kStray };  // kStray: meant for another window
    for (const auto& [stop, at] : std::vector<std::pair<Stop, int>>{
             {kNew, 1}, {kNew, 3}, {kExit, 1}, {kClose, 1}, {kStray, 1}}) {
        SCOPED_TRACE(::testing::Message() << "stop " << stop << " at look " << at);
        Table table;
        const GameRecord& r = table.record();
        table.options().View[settings::kViewFlashingClock] = true;
        // After the first pair at level 4 the computer searches deep enough to
        // look at the message queue.
        table.NewGame(true, kAdvanced);
        table.Do("c");
        table.view.minimized = stop == kStray;  // the caption then says the computer thinks
        bool inLook = false;
        table.view.onClose = [&] {
            EXPECT_TRUE(!inLook && table.control.State() != PlayState::Thinking);
        };
        Board seen{};
        table.onLook = [&](int look) {
            if (look != at) return;
            inLook = true;
            seen = r.Board;
            EXPECT_EQ(Menus(table.control), "L4 computer");
            const auto now = [&] {
                return std::tuple(r.TimeLeft, table.view.colons.size(), r.Level, r.MoveCount,
                                  table.control.State());
            };
            const auto before = now();
            for (int i = 0; i <= EventRing::kSlots; ++i)
                table.control.PostEvent(kDroppedEvent);
            table.control.AnalysisClosed(true);  // stops the clock, behind the overflow
            for (int p = 0; p < kPits; ++p)
                table.control.ClickPit(p);
            EXPECT_TRUE(table.control.KeyPress('d'));
            EXPECT_FALSE(table.control.KeyDown(GameControl::Arrow::Left));
            table.control.ChooseLevel(kBeginner - 1);
            if (stop == kNew) table.control.NewGame();
            if (stop == kExit) table.control.Exit();
            EXPECT_TRUE(stop != kClose || !table.control.QueryClose());
            if (stop == kStray) PostMessageA(&table.window, WM_STOPSEARCH, 0, 0);
            // The window's event loop: a stray event tick already on its way, then
            // whatever timer runs.
            table.control.OnEventTimer();
            table.Settle();
            table.TickClock(20);
            EXPECT_EQ(now(), before);
            EXPECT_EQ(r.MoveCount, 3);
            inLook = false;
        };
        table.Do("c");
        // The look that found the stop peeked once more; no look followed but
        // a new search's. New Game dropped the stop; the reply is dropped, or
        // found by a new search.
        const int moves[] = {0, 3, 3, 4};
        EXPECT_EQ(std::tuple(table.looks == at + 1, platform::ThreadMessageQueue().Size(),
                             table.delivered, table.view.closes, table.control.PendingEvents(),
                             r.TimerOn, int{r.MoveCount}),
                  std::tuple(stop != kStray, 0u, std::vector<uint32_t>{WM_STOPSEARCH},
                             int{stop == kExit || stop == kClose}, 0u, stop == kNew, moves[stop]));
        const auto& captions = table.view.captions;
        EXPECT_EQ(std::count(captions.begin(), captions.end(), "Zeko : Thinking"),
                  stop == kStray ? 2 : 0);
        EXPECT_TRUE(stop != kStray || r.Moves[4] == table.engine.findmove(seen.data(), kAdvanced));
        if (stop != kNew) continue;
        EXPECT_EQ(r.TimeLeft, LevelMinutes(kAdvanced) * kHalfSecondsPerMinute);
        EXPECT_EQ(captions.back(), "Zeko : Advanced");
        EXPECT_EQ(table.Playable(), (std::vector<int>{2, 3, 4, 5}));
        EXPECT_EQ(table.TickClock(30), 0);  // the first turn is free
    }
    EXPECT_TRUE(Table().control.QueryClose());
}

TEST(Opening, TheComputersFirstReplyIsDrawnByLot) {
    // The person's first pit (-1: a pass), the random number, the reply: after a
    // pass it keeps off the first two top pits.
    const std::tuple<int, double, int> rows[] = {{-1, 0.0, 8}, {-1, 0.2499, 8}, {-1, 0.9999, 11},
                                                 {2, 0.0, 6},  {3, 0.1667, 7},  {4, 0.9999, 11}};
    for (const auto& [person, rnd, reply] : rows) {
        SCOPED_TRACE(::testing::Message() << person << " " << rnd);
        Table table;
        table.rnd = rnd;
        table.NewGame(true);
        person < 0 ? table.control.Pass() : table.control.ClickPit(person);
        table.Settle();
        const GameRecord& r = table.record();
        EXPECT_EQ(std::tuple(table.rndCalls, r.MoveCount, r.Moves[person < 0 ? 1 : 2]),
                  std::tuple(1, person < 0 ? 1 : 2, reply));
    }
}

// A level-4 game set up with the computer to move and the response delay on:
// its search looks at the queue, where the date and time move on by searchMs.
void ComputerThinksFor(Table& table, int64_t searchMs, bool fixed = true) {
    table.options().DelayActivated = true;
    table.options().DelayFixed = fixed;
    table.NewGame(true, kAdvanced);
    table.onLook = [&table, searchMs](int look) { table.nowMs += look == 1 ? searchMs : 0; };
    table.control.PositionAccepted(engine::kStartBoard, true);
    while (table.Tick()) {
    }
}

TEST(ResponseDelay, CountsTheThinkingTimeInAndNewRulesTakeOverTheMoveThatWaits) {
    // The wait before (click or fixed, 4 seconds) and the search's time; the
    // new rules (none when seconds is 0) given some time after it; then the
    // half-seconds of delay left and ticked, and whether the pit waits for its
    // click. A fixed delay counts the thinking time in.
    const std::array<int, 9> rows[] = {
        {1, 0, 0, 0, 0, 0, 8, 8, 0},     {1, 1300, 0, 0, 0, 0, 5, 5, 0},
        {1, 3400, 0, 0, 0, 0, 1, 1, 0},  {1, 4000, 0, 0, 0, 0, 0, 0, 0},
        {1, 5000, 0, 0, 0, 0, -2, 0, 0}, {0, 0, 1, 1, 4, 1000, 6, 6, 0},
        {0, 0, 0, 0, 4, 1000, 6, 0, 0},  {0, 0, 1, 0, 6, 1000, 8, 0, 1},
        {1, 0, 1, 0, 4, 1000, 6, 0, 1},  {1, 0, 1, 1, 6, 1000, 10, 10, 0},
        {1, 0, 1, 1, 2, 3000, -2, 0, 0}};
    for (const auto& [fixedBefore, searchMs, activated, fixed, seconds, elapsedMs, delayLeft,
                      delayTicks, clickAwaited] : rows) {
        SCOPED_TRACE(::testing::Message()
                     << fixedBefore << " " << searchMs << " " << activated << fixed << seconds);
        Table table;
        table.nowMs = 3'000'000'000'000;
        table.options().DelayTime = 4;
        table.options().View[settings::kViewFlashingMoves] = true;
        ComputerThinksFor(table, searchMs, fixedBefore);
        const int pit = table.control.MovePit();
        if (seconds > 0) {
            table.nowMs += elapsedMs;
            table.control.SetResponseDelay(activated, fixed, seconds);
            while (table.Tick()) {
            }
        }
        EXPECT_EQ(std::pair(table.control.DelayLeft(), table.Look(pit)),
                  std::pair(delayLeft, clickAwaited ? PitLook::Flash : PitLook::Normal));
        int ticks = 0;
        for (; table.view.armed[TimerId::Delay]; ++ticks) {
            EXPECT_EQ(table.control.State(), PlayState::AwaitingResponse);
            table.control.OnDelayTimer();
        }
        EXPECT_EQ(ticks, delayTicks);
        // Then the pit flashes five times before the move is played.
        table.Tick();
        std::string looks;  // F flashing, N normal
        while (table.view.armed[TimerId::Flash] && looks.size() < 20) {
            EXPECT_EQ(table.record().MoveCount, 0);
            table.control.OnFlashTimer();
            looks += table.Look(pit) == PitLook::Flash ? 'F' : 'N';
        }
        EXPECT_EQ(looks, clickAwaited ? "" : "FNFNFNFNFN");
        table.Settle();
        EXPECT_EQ(table.record().MoveCount, clickAwaited ? 0 : 1);
        if (clickAwaited) {
            EXPECT_EQ(table.Playable(), std::vector<int>{pit});
            table.control.ClickPit(pit);
            table.Settle();
        }
        EXPECT_EQ(std::pair(int{table.record().Moves[1]}, table.Look(pit)),
                  std::pair(pit, PitLook::Normal));
    }
}

TEST(ResponseDelay, ClickToSeeShowsThePitAndPlaysItOnItsClickOrMoveNow) {
    for (int way = 0; way < 3; ++way) {  // a click on the pit, Move Now, another event
        Table table;
        table.options().View[settings::kViewFlashingMoves] = true;
        ComputerThinksFor(table, 0, false);
        const int pit = table.control.MovePit();
        EXPECT_EQ(std::tuple(Menus(table.control), table.Playable(), table.Look(pit)),
                  std::tuple("MoveNow L4 computer", std::vector<int>{pit}, PitLook::Flash));
        for (int other = 0; other < kPits; ++other)
            if (other != pit) table.control.ClickPit(other);
        EXPECT_EQ(table.control.PendingEvents(), 0u);
        const int flashes = table.view.flashes;
        if (way == 2) table.control.AnalysisClosed(true);
        table.Tick();  // runs only when an event waits
        way == 1 ? table.control.MoveNow() : table.control.ClickPit(pit);
        EXPECT_EQ(table.view.windowPointer, way == 2 ? Pointer::Default : Pointer::Hourglass);
        table.Settle();
        EXPECT_EQ(std::pair(table.control.State(), table.Look(pit)),
                  std::pair(PlayState::Idle, PitLook::Normal));
        // The colour only restored.
        EXPECT_TRUE(way == 2 || (table.record().Moves[1] == pit && table.view.flashes == flashes));
    }
}

TEST(EventRing, KeepsTheOrderPastAFullRingAndDropsTheOldGamesStepsButTheClose) {
    EventRing ring;
    // Three steps handled, so that the ring's writes wrap onto the slot last
    // handled: a full ring and one step behind it.
    for (int i = 0; i < 3; ++i, ring.Take(), ring.Done())
        ring.Post(kTakeBack);
    for (int i = 0; i <= EventRing::kSlots; ++i)
        ring.Post(i == 4 ? kCloseWindow : kReplay);
    ring.DropPlayEvents();
    std::vector<Event> taken, expected(EventRing::kSlots + 1, kDroppedEvent);
    for (Event event; (event = ring.Take()) != kNoEvent; ring.Done())
        taken.push_back(event);
    expected[4] = kCloseWindow;
    EXPECT_EQ(taken, expected);
}

TEST(NewGame, NeverPlaysAMoveOfTheOldGame) {
    // The computer's move waits for a fixed delay, for a click, is queued by
    // Move Now, flashes; or the person's move waits behind a full ring, with
    // Exit; or Exit alone: its close outlives the old game.
    for (int way = 0; way < 6; ++way) {
        SCOPED_TRACE(way);
        Table table;
        table.options().DelayTime = 2;
        table.options().View[settings::kViewFlashingMoves] = way == 3;
        if (way < 4) ComputerThinksFor(table, 0, way != 1);
        if (way == 2 || way == 3) table.control.MoveNow();
        if (way == 3 && table.Tick()) table.control.OnFlashTimer();
        for (int i = 0; way == 4 && i < EventRing::kSlots; ++i)
            table.control.PostEvent(kDismissWelcome);
        if (way == 4) table.control.TryHumanMove(2);
        if (way >= 4) table.control.Exit();
        table.Do("n");
        EXPECT_EQ(std::tuple(table.record().MoveCount, table.view.looks, table.Playable(),
                             table.view.closes),
                  std::tuple(0, decltype(table.view.looks){}, std::vector<int>{2, 3, 4, 5},
                             int{way >= 4}));
    }
}

TEST(Keys, PlayThePitOfTheSideToMoveOrDoNothing) {
    // Before the key: p two people and a pass, w the welcome screen up. The key,
    // whether it is taken, the move it makes (-1: none).
    const std::tuple<char, char, bool, int> rows[] = {
        {' ', 'c', true, 2},   {' ', 'F', true, 5},   {' ', '3', true, 2}, {' ', 'a', true, -1},
        {' ', 'g', false, -1}, {' ', '7', false, -1}, {'p', 'd', true, 9}, {'w', 'c', true, -1}};
    for (const auto& [before, key, taken, move] : rows) {
        SCOPED_TRACE(key);
        Table table;
        table.NewGame(before != 'p');
        if (before == 'p') table.Do("p");
        table.view.welcome = before == 'w';
        EXPECT_EQ(table.control.KeyPress(key), taken);
        table.Settle();
        EXPECT_EQ(std::pair(table.view.welcome,
                            table.record().MoveCount > 0 ? table.record().Moves[1] : -1),
                  std::pair(false, move));
    }
}

TEST(Keys, TheMoveIndicatorWalksTheLegalPitsAndEnterPlaysItsPit) {
    // A computer game or not, the position, whether the top half moves, the
    // first pit then arrows each with the pit it reaches, Enter's move.
    const std::vector<std::tuple<bool, Board, bool, const char*, int>> rows = {
        {true, {0, 0, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4}, false, "2 R3 R4 R5 R2 L5 L4 L3", 3},
        {false, engine::kStartBoard, true, "6 R11 R10 L11 L6", -1},
        {true, {1, 1, 1, 1, 0, 0, 4, 4, 4, 4, 4, 4, 10, 10}, false, "0 R1 R2 R3 R0 L3", 3},
        {true, {0, 0, 0, 0, 0, 1, 4, 4, 4, 4, 4, 4, 12, 11}, false, "5 R5 L5", 5}};
    for (const auto& [computer, board, top, walk, enter] : rows) {
        SCOPED_TRACE(walk);
        Table table;
        table.options().View[settings::kViewMoveIndicator] = true;
        table.NewGame(computer);
        table.control.PositionAccepted(board, top);
        table.Settle();
        std::istringstream steps(walk);
        int pit = 0;
        steps >> pit;
        EXPECT_EQ(table.control.IndicatorPit(), pit);
        for (std::string step; steps >> step;) {
            EXPECT_TRUE(table.control.KeyDown(step[0] == 'R' ? GameControl::Arrow::Right
                                                             : GameControl::Arrow::Left));
            const int from = std::exchange(pit, std::stoi(step.substr(1)));
            EXPECT_EQ(table.control.IndicatorPit(), pit) << step;
            EXPECT_EQ(table.Look(pit), PitLook::Indicator);
            EXPECT_TRUE(from == pit || table.Look(from) == PitLook::Normal);
        }
        EXPECT_TRUE(table.control.KeyPress('\r'));
        table.Settle();
        EXPECT_EQ(table.record().MoveCount > 0 ? table.record().Moves[1] : -1, enter);
        const auto next = table.Legal(table.record().Board, false, false);
        EXPECT_TRUE(enter < 0 || next.empty() || table.control.IndicatorPit() == next.front());
    }
}

// Whole games through the event ring against the real engine, and take-back
// and replay checked after every step against a fresh replay of the move list.

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
    const std::tuple<bool, bool, int, std::string, std::string, double, int> rows[] = {
        {true, true, 1, "", "", 0.0, 0},   {true, false, 2, "Ann", "", 0.99, 0},
        {true, true, 2, "", "", 0.2, 2},   {true, false, 1, "", "", 0.5, 2},
        {false, false, 1, "", "", 0.0, 0}, {false, false, 1, "Ann", "Bob", 0.0, 2}};
    for (const auto& [computer, timed, level, bottom, top, rnd, personLevel] : rows) {
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
        // Only the first reply is drawn by lot; an untimed game ends in a message.
        using Messages = decltype(table.view.messages);
        EXPECT_EQ(std::tuple(table.rndCalls, table.view.armed[TimerId::Clock], table.view.messages,
                             table.view.results),
                  std::tuple(int{computer}, false, timed ? Messages{} : Messages{Score(record)},
                             std::vector<GameEnd>(timed, table.control.EndCode())));
        table.Do("l");  // a finished game loaded waits for nothing
        // Nothing plays on, and the opponent stays.
        EXPECT_EQ(std::pair(table.control.GameMenu().Opponent, table.Playable()),
                  std::pair(false, std::vector<int>{}));
        const Board board = record.Board;
        for (int pit = 0; pit < kPits; ++pit) {
            table.control.ClickPit(pit);
            EXPECT_FALSE(table.control.KeyPress(static_cast<char>('a' + pit % kPitsPerRow)));
        }
        table.Settle();
        EXPECT_EQ(std::pair(record.MoveNumber - record.MoveCount, record.Board),
                  std::pair(1, board));
        table.Do("nc");  // until a new game
        EXPECT_EQ(record.MoveCount, computer ? 2 : 1);
    }
}

TEST(TakeBackAndReplay, EveryStepEqualsAFreshReplayOfTheMoves) {
    // Steps as Table::Do takes them, each with the move number after it, T when
    // the top half is then to move, ! when the game is then over. Set-ups (t,
    // v) come back whole: their side to move, no opening rule, no reply by lot.
    const std::pair<bool, const char*> rows[] = {
        {false, "c2T l2T c3 c4T b3 b2T b1 r2T r3 c4T c5 b4T"},
        {true, "c3 l3 c5 b3 r5 b3 b1 r3 c5 b3"},
        {false, "p1T c2 c3T b2 b1 r2"},
        {true, "p2 c4 b2 b1 r2"},
        {false, "c2T o3"},
        {false, "c2T c3 c4T c5 b4T b3 c4T b3 b2T b1 o1 r3 r5"},
        {true, "w1 c3 c4T! b3 r4T!"},
        {false, "u1 c2T c3 c4T c5 c6T c7 u1 c2T c3 c4T c5 c6T c7 b6T r7 b6T b5 b4T b3 b2T b1"},
        {false, "t1T c2 b1T c2 c3T b2 b1T"},
        {true, "t2 b2"},
        {true, "v1 c3 b1 c3 b1 c3"}};
    for (const auto& [computer, steps] : rows) {
        SCOPED_TRACE(steps);
        Table table;
        table.NewGame(computer);
        const GameRecord& record = table.record();
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            SCOPED_TRACE(step);
            table.Do(step.substr(0, 1));
            const int number = record.MoveNumber;
            ASSERT_EQ(
                std::tuple(table.control.State(), number, record.TopToMove, record.GameOver,
                           record.OpeningFlag, std::pair(record.Board, record.Trackers)),
                std::tuple(PlayState::Idle, std::stoi(step.substr(1)),
                           step.find('T') != std::string::npos, step.find('!') != std::string::npos,
                           record.StandardStart && number == 1, table.Replayed(number - 1)));
            EXPECT_TRUE(number <= record.MoveCount + 1 &&
                        (step[0] != 'c' || record.MoveCount == number - 1));
            const auto legal = table.Legal(record.Board, record.TopToMove, record.OpeningFlag);
            EXPECT_EQ(table.Playable(), record.GameOver ? std::vector<int>{} : legal);
        }
    }
}

}  // namespace
}  // namespace zeko::game::testing
