// The nine skill levels: the base search depth of the computer's move, and the
// allowance of a timed game.
#pragma once

namespace zeko::game {

enum SkillLevel : int {
    kBeginner = 1,
    kNovice = 2,
    kAmateur = 3,
    kAdvanced = 4,
    kSkilful = 5,
    kExpert = 6,
    kProfessional = 7,
    kMaster = 8,
    kGrandmaster = 9,
};

inline constexpr int kLevelCount = kGrandmaster;

// Minutes of thinking time for the person at a level; a level outside 1-9 is
// given Amateur's.
int LevelMinutes(int level);

}  // namespace zeko::game
