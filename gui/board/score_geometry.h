// The score displays without pixels: which chip positions of a score bar a
// drawing touches, and the text of a score label.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/game_record.h"

namespace zeko::gui {

// A score bar's own units: 100 wide, 10 high; 25 chip positions along the
// middle.
inline constexpr double kScoreBarWidth = 100;
inline constexpr double kScoreBarHeight = 10;
inline constexpr int kScorePositions = 25;
inline constexpr double kScoreChipY = 5;
// 0.49 window units in the bar's horizontal units (the bar is 60 wide).
inline constexpr double kScoreChipRadius = 0.49 * kScoreBarWidth / 60;

constexpr double ScoreChipX(int position) {
    return 4.0 * position + 2;
}

// One position drawn: a chip, or an empty place.
struct ScoreStep {
    int Position;
    bool Chip;
    bool operator==(const ScoreStep&) const = default;
};

// A score bar drawn whole, or only the positions between the old and the new
// score.
enum class ScoreDrawing { Changes = 0, Whole = 1 };

// The positions `DrawScoreChips` draws, in order, for new score n and old
// score o. Positions off the bar (below 0, above 24) are left out, as nothing
// of them would show.
std::vector<ScoreStep> ScoreChipSteps(int n, int o, ScoreDrawing drawing);

// A language text by its number.
using TextLookup = std::function<std::string(int)>;

// "name : count" for label 0 (the top half, cell 12) or label 1 (the bottom
// half, cell 13). Empty player names become "Computer", "Human", "Human 1" or
// "Human 2" as the opponent calls for.
std::string ScoreText(int label, const game::GameRecord& record, const TextLookup& text);
// The same with the stores of `board` (the editor's board) in place of the game's.
std::string ScoreText(int label, const game::GameRecord& record, const engine::Board& board,
                      const TextLookup& text);

}  // namespace zeko::gui
