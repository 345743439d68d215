// The six columns a stored game shows in the game list: date, bottom half,
// top half, moves, level and score. The padding makes each column's text
// order its natural order.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "game/game_record.h"

namespace zeko::archive {

enum GameListColumn : int {
    kColumnDate = 0,
    kColumnBottomHalf,
    kColumnTopHalf,
    kColumnMoves,
    kColumnLevel,
    kColumnScore,
    kGameListColumns,
};

using GameListRow = std::array<std::string, kGameListColumns>;

// `text` gives the text of a number in the wanted language.
GameListRow GameListColumns(const game::GameRecord& game,
                            const std::function<std::string(int)>& text);

}  // namespace zeko::archive
