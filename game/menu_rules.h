// The rules that enable and check the items of the Game, Skill and Tools menus,
// asked when a menu opens and again when a shortcut is pressed.
#pragma once

#include <array>

#include "game/game_record.h"
#include "game/play_state.h"
#include "game/skill_level.h"

namespace zeko::game {

struct GameMenuState {
    bool OpponentComputerChecked = false;
    bool OpponentHumanChecked = false;
    bool Load = false;
    bool Save = false;
    bool SaveAs = false;
    bool Opponent = false;
    bool Pass = false;
    bool MoveNow = false;
    bool TakeBack = false;
    bool Replay = false;
    bool TimerOff = false;
};

struct SkillMenuState {
    std::array<bool, kLevelCount> Enabled{};
    std::array<bool, kLevelCount> Checked{};
};

struct ToolsMenuState {
    bool Analysis = false;
    bool NewPosition = false;
    bool LevelInfo = false;
};

GameMenuState GameMenuRules(const GameRecord& record, PlayState state);
SkillMenuState SkillMenuRules(const GameRecord& record, PlayState state);
ToolsMenuState ToolsMenuRules(const GameRecord& record, PlayState state);

}  // namespace zeko::game
