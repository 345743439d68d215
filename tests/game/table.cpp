#include "tests/game/table.h"

#include <map>
#include <sstream>

namespace zeko::game::testing {

void FakePresentation::ShowPosition(bool full, const Board& old, const Board& now) {
    calls.push_back("ShowPosition");
    positions.push_back({full, old, now});
}

void FakePresentation::PaintPit(int pit, PitLook look) {
    calls.push_back("PaintPit");
    paints.emplace_back(pit, look);
    EXPECT_TRUE(pit >= 0 && pit < 12) << "pit " << pit;
    if (pit >= 0 && pit < 12) looks[static_cast<size_t>(pit)] = look;
}

void FakePresentation::SetPointers(Pointer window, const std::array<Pointer, 12>& pits) {
    calls.push_back("SetPointers");
    windowPointer = window;
    pitPointers = pits;
}

void FakePresentation::RepaintClockFace() {
    calls.push_back("RepaintClockFace");
    ++clockFaceRepaints;
}

void FakePresentation::ShowClockTime(int seconds, bool full) {
    calls.push_back("ShowClockTime");
    clockTimes.emplace_back(seconds, full);
}

void FakePresentation::SetTimeBar(int value, bool incremental) {
    calls.push_back("SetTimeBar");
    timeBars.emplace_back(value, incremental);
}

void FakePresentation::DrawClockColon(bool on) {
    calls.push_back("DrawClockColon");
    colons.push_back(on);
}

void FakePresentation::ShowClock(bool face, bool bar) {
    calls.push_back("ShowClock");
    clockFaceVisible = face;
    timeBarVisible = bar;
}

void FakePresentation::ShowScoreTexts() {
    calls.push_back("ShowScoreTexts");
    ++scoreTextUpdates;
}

void FakePresentation::SetCaption(const std::string& text) {
    calls.push_back("SetCaption");
    caption = text;
    captions.push_back(text);
}

void FakePresentation::HideWelcome() {
    calls.push_back("HideWelcome");
    welcomeVisible = false;
}

void FakePresentation::SetSkillMenuVisible(bool visible) {
    calls.push_back("SetSkillMenuVisible");
    skillMenuVisible = visible;
}

void FakePresentation::ShowMessage(const std::string& text, const std::string& title,
                                   MessageIcon icon) {
    calls.push_back("ShowMessage");
    messages.push_back({text, title, icon});
}

void FakePresentation::ShowResultDialog(GameEnd end) {
    calls.push_back("ShowResultDialog");
    resultDialogs.push_back(static_cast<int>(end));
}

void FakePresentation::ShowError(uint32_t number, const std::string& source,
                                 const std::string& description) {
    calls.push_back("ShowError");
    errors.push_back({number, source, description});
}

void FakePresentation::CloseWindow() {
    calls.push_back("CloseWindow");
    ++closes;
    if (onClose) onClose();
}

void FakeTimers::SetTimer(TimerId id, bool enabled, int intervalMs) {
    enabled_[static_cast<size_t>(id)] = enabled;
    interval_[static_cast<size_t>(id)] = intervalMs;
}

std::string EnglishText(int number) {
    static const std::map<int, std::string> texts = {
        {15, "Beginner"},    {16, "Novice"},   {17, "Amateur"},      {18, "Advanced"},
        {19, "Skilful"},     {20, "Expert"},   {21, "Professional"}, {22, "Master"},
        {23, "Grandmaster"}, {43, "Human"},    {44, "Computer"},     {45, "Human 1"},
        {46, "Human 2"},     {47, "Thinking"},
    };
    const auto it = texts.find(number);
    return it != texts.end() ? it->second : "<text " + std::to_string(number) + ">";
}

namespace {

Environment makeEnvironment(Table& table) {
    Environment env;
    env.Rnd = [&table] {
        ++table.rndCalls;
        return table.rnd;
    };
    env.NowMs = [&table] { return table.nowMs; };
    env.GetText = EnglishText;
    env.Window = &table.window;
    return env;
}

constexpr int kTickLimit = 100000;

}  // namespace

Table::Table(const std::string& engineFolder)
    : engine(engineFolder), control(engine, view, view, timers, makeEnvironment(*this)) {
    auto& queue = platform::threadMessageQueue();
    queue.clear();
    queue.setPostHook(nullptr);
    queue.setLookHook([this] {
        ++looks;
        if (lookHook_) lookHook_(looks);
    });
    queue.registerWindow(&window, [this](const MSG& msg) { delivered.push_back(msg); });
}

Table::~Table() {
    auto& queue = platform::threadMessageQueue();
    queue.setLookHook(nullptr);
    queue.setPostHook(nullptr);
    queue.unregisterWindow(&window);
    queue.clear();
}

void Table::OnLook(std::function<void(int)> hook) {
    lookHook_ = std::move(hook);
}

bool Table::Tick() {
    if (!control.TimerEnabled(TimerId::Event)) return false;
    EXPECT_TRUE(timers.Enabled(TimerId::Event)) << "the window's event timer was never armed";
    control.OnEventTimer();
    return true;
}

int Table::RunEvents() {
    int ticks = 0;
    while (Tick()) {
        if (++ticks > kTickLimit) {
            ADD_FAILURE() << "the event ring never ran empty";
            break;
        }
    }
    return ticks;
}

void Table::Settle() {
    for (int i = 0; i < kTickLimit; ++i) {
        if (control.TimerEnabled(TimerId::Event)) {
            Tick();
        } else if (control.TimerEnabled(TimerId::Delay)) {
            EXPECT_TRUE(timers.Enabled(TimerId::Delay));
            control.OnDelayTimer();
        } else if (control.TimerEnabled(TimerId::Flash)) {
            EXPECT_TRUE(timers.Enabled(TimerId::Flash));
            control.OnFlashTimer();
        } else {
            return;
        }
    }
    ADD_FAILURE() << "play never came to rest";
}

int Table::TickClock(int ticks) {
    int given = 0;
    for (; given < ticks && control.TimerEnabled(TimerId::Clock); ++given) {
        EXPECT_TRUE(timers.Enabled(TimerId::Clock));
        control.OnClockTimer();
    }
    return given;
}

void Table::NewGame(bool computer, int level) {
    record().ComputerGame = computer;
    record().Level = static_cast<int16_t>(level);
    control.NewGame();
    Settle();
}

void Table::Click(int pit) {
    control.ClickPit(pit);
    Settle();
}

std::vector<int> Table::PlayablePits() const {
    std::vector<int> pits;
    for (int pit = 0; pit < 12; ++pit) {
        if (view.pitPointers[static_cast<size_t>(pit)] == Pointer::Playable) pits.push_back(pit);
    }
    return pits;
}

std::pair<Board, std::array<int32_t, 6>> Table::Replayed(const Board& start, int count) {
    Board board = start;
    std::array<int32_t, 6> trackers{};
    for (int k = 1; k <= count; ++k)
        engine.execmove(board.data(), record().Moves[static_cast<size_t>(k)], trackers.data());
    return {board, trackers};
}

bool Rules::Legal(const Board& board, bool top, int pit, bool opening) {
    if (top) return engine.checkmove(rotateboard(board).data(), pit - 6, opening ? 1 : 0) == 1;
    return engine.checkmove(board.data(), pit, opening ? 1 : 0) == 1;
}

std::vector<int> Rules::LegalPits(const Board& board, bool top, bool opening) {
    std::vector<int> pits;
    for (int pit = top ? 6 : 0; pit < (top ? 12 : 6); ++pit) {
        if (Legal(board, top, pit, opening)) pits.push_back(pit);
    }
    return pits;
}

int32_t Rules::Play(Board& board, std::array<int32_t, 6>& trackers, int pit) {
    return engine.execmove(board.data(), pit, trackers.data());
}

std::string Show(const Board& board) {
    std::ostringstream out;
    for (size_t i = 0; i < board.size(); ++i)
        out << (i == 0 ? "{" : (i == 6 || i == 12) ? " | " : ",") << board[i];
    out << "}";
    return out.str();
}

int VariedPit(const std::vector<int>& playable, int turn) {
    return playable[static_cast<size_t>(turn) % playable.size()];
}

void PlayOut(Table& table, const Chooser& choose, int maxTurns) {
    Rules rules{table.engine};
    GameRecord& record = table.record();
    for (int turn = 0; turn < maxTurns && !record.GameOver; ++turn) {
        ASSERT_EQ(table.control.State(), PlayState::Idle) << "turn " << turn;
        const bool top = record.TopToMove;
        ASSERT_TRUE(!top || !record.ComputerGame);
        const auto playable = table.PlayablePits();
        ASSERT_EQ(playable, rules.LegalPits(record.Board, top, record.OpeningFlag))
            << "turn " << turn << " on " << Show(record.Board);
        ASSERT_FALSE(playable.empty());
        const int before = record.MoveCount;
        const int pit = choose(playable, turn);
        table.Click(pit);
        ASSERT_EQ(record.MoveNumber, record.MoveCount + 1);
        ASSERT_EQ(record.Moves[static_cast<size_t>(before + 1)], pit);
        if (record.ComputerGame && !record.GameOver) {
            ASSERT_EQ(record.MoveCount, before + 2);
            ASSERT_GT(record.Moves[static_cast<size_t>(before + 2)], 5);
        } else if (!record.GameOver) {
            ASSERT_EQ(record.MoveCount, before + 1);
        }
    }
    ASSERT_TRUE(record.GameOver) << "no end after " << maxTurns << " turns";
}

}  // namespace zeko::game::testing
