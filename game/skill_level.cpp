#include "game/skill_level.h"

namespace zeko::game {

int LevelMinutes(int level) {
    static constexpr int kMinutes[kLevelCount] = {5, 10, 15, 20, 30, 40, 50, 60, 90};
    if (level < kBeginner || level > kGrandmaster) level = kAmateur;
    return kMinutes[level - 1];
}

}  // namespace zeko::game
