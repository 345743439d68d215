// The commands of the Game, Skill and Tools menus and the rules that enable
// them. The menus only ask these rules and call these commands.
#include "game/game_control.h"

namespace zeko::game {

GameMenuState GameControl::GameMenu() const {
    const GameRecord& r = record_;
    const bool idle = state_ == PlayState::Idle;
    GameMenuState m;
    m.OpponentComputerChecked = r.ComputerGame;
    m.OpponentHumanChecked = !r.ComputerGame;
    m.Load = idle;
    m.Save = idle;
    m.SaveAs = r.RecordNumber != 0;
    m.Opponent = !(r.TopToMove && r.ComputerGame) && !r.GameOver;
    m.Pass = !r.TopToMove && r.OpeningFlag;
    m.MoveNow = state_ == PlayState::AwaitingResponse;
    if (r.ComputerGame) {
        m.TakeBack = (r.MoveNumber > 1 && !r.TopToMove) || r.GameOver;
        m.Replay = r.MoveNumber <= r.MoveCount && !r.TopToMove;
    } else {
        m.TakeBack = r.MoveNumber > 1 || (r.MoveNumber == 1 && r.TopToMove);
        m.Replay = r.MoveNumber <= r.MoveCount;
    }
    m.TimerOff = !r.TopToMove && r.TimerOn;
    return m;
}

SkillMenuState GameControl::SkillMenu() const {
    SkillMenuState m;
    for (int i = 0; i < 9; ++i) {
        m.Enabled[static_cast<size_t>(i)] = state_ == PlayState::Idle;
        m.Checked[static_cast<size_t>(i)] = i + 1 == record_.Level;
    }
    return m;
}

ToolsMenuState GameControl::ToolsMenu() const {
    const GameRecord& r = record_;
    const bool idle = state_ == PlayState::Idle;
    int stones = 0;
    for (int i = 0; i < 6; ++i)
        stones += r.Board[static_cast<size_t>(r.TopToMove ? i + 6 : i)];
    ToolsMenuState m;
    m.Analysis = idle && (!r.ComputerGame || !r.TopToMove || r.GameOver) && stones > 0;
    m.NewPosition = idle;
    m.LevelInfo = idle;
    return m;
}

void GameControl::NewGame() {
    if (state_ == PlayState::Thinking) RequestStop();
    if (state_ == PlayState::AwaitingResponse) EndWait();
    // The old game's computer move must never be played.
    if (TimerEnabled(TimerId::Flash)) SetTimer(TimerId::Flash, false);
    DropPendingPlayEvents();
    PostEvent(kDismissWelcome);
    PostEvent(kNewGame);
}

void GameControl::ChooseOpponent() {
    record_.ComputerGame = !record_.ComputerGame;
    view_.SetSkillMenuVisible(record_.ComputerGame);
    SetClock(ClockMode::Off);
    PostEvent(record_.ComputerGame && record_.TopToMove ? kComputerTurn : kAwaitHumanMove);
}

void GameControl::Pass() {
    record_.Pass();
    PostEvent(record_.ComputerGame ? kComputerTurn : kAwaitHumanMove);
}

void GameControl::MoveNow() {
    EndWait();
    PostEvent(kShowComputerMove);
}

void GameControl::TakeBack() {
    Guarded([this] { HandleEvent(kTakeBack); });
}

void GameControl::Replay() {
    Guarded([this] { HandleEvent(kReplay); });
}

void GameControl::TimerOff() {
    SetClock(ClockMode::Off);
}

void GameControl::Exit() {
    if (state_ == PlayState::Thinking) RequestStop();
    PostEvent(kCloseWindow);
}

void GameControl::ChooseLevel(int index) {
    if (!(record_.GameOver || !record_.TopToMove)) return;
    if (index < 0 || index > 8 || index + 1 == record_.Level) return;
    record_.Level = static_cast<int16_t>(index + 1);
    // Before the computer's first move the game is still young enough to
    // restart the clock for the new level; later the clock is off.
    SetClock(record_.OpeningFlag ? ClockMode::Start : ClockMode::Off);
}

void GameControl::AnalysisClosed(bool made) {
    if (made) PostEvent(kStopClock);
}

void GameControl::PositionAccepted(const Board& position, bool topToMove) {
    newPositionBoard_ = position;
    newPositionTopToMove_ = topToMove;
    PostEvent(kPositionSetUp);
}

void GameControl::GameLoaded() {
    PostEvent(kGameLoaded);
}

}  // namespace zeko::game
