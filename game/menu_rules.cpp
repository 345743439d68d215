#include "game/menu_rules.h"

namespace zeko::game {

GameMenuState GameMenuRules(const GameRecord& r, PlayState state) {
    const bool idle = state == PlayState::Idle;
    GameMenuState m;
    m.OpponentComputerChecked = r.ComputerGame;
    m.OpponentHumanChecked = !r.ComputerGame;
    m.Load = idle;
    m.Save = idle;
    m.SaveAs = r.RecordNumber != 0;
    m.Opponent = !(r.TopToMove && r.ComputerGame) && !r.GameOver;
    m.Pass = !r.TopToMove && r.OpeningFlag;
    m.MoveNow = state == PlayState::AwaitingResponse;
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

SkillMenuState SkillMenuRules(const GameRecord& record, PlayState state) {
    SkillMenuState m;
    for (int level = kBeginner; level <= kGrandmaster; ++level) {
        m.Enabled[static_cast<size_t>(level - 1)] = state == PlayState::Idle;
        m.Checked[static_cast<size_t>(level - 1)] = level == record.Level;
    }
    return m;
}

ToolsMenuState ToolsMenuRules(const GameRecord& r, PlayState state) {
    const bool idle = state == PlayState::Idle;
    // The stones of the side to move: an empty row has nothing to analyse.
    const int first = r.TopToMove ? kPitsPerRow : 0;
    int stones = 0;
    for (int pit = first; pit < first + kPitsPerRow; ++pit)
        stones += r.Board[static_cast<size_t>(pit)];
    ToolsMenuState m;
    m.Analysis = idle && (!r.ComputerGame || !r.TopToMove || r.GameOver) && stones > 0;
    m.NewPosition = idle;
    m.LevelInfo = idle;
    return m;
}

}  // namespace zeko::game
