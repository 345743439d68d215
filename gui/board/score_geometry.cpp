#include "gui/board/score_geometry.h"

#include "settings/text_id.h"

#include <algorithm>

namespace zeko::gui {

namespace {

void AddSteps(std::vector<ScoreStep>& steps, int from, int to, bool chip) {
    for (int k = std::max(from, 0); k <= std::min(to, kScorePositions - 1); ++k)
        steps.push_back({k, chip});
}

}  // namespace

std::vector<ScoreStep> ScoreChipSteps(int n, int o, ScoreDrawing drawing) {
    const bool whole = drawing == ScoreDrawing::Whole;
    std::vector<ScoreStep> steps;
    AddSteps(steps, whole ? 0 : o, n - 1, true);
    AddSteps(steps, n, whole ? kScorePositions - 1 : o, false);
    return steps;
}

std::string ScoreText(int label, const game::GameRecord& record, const TextLookup& text) {
    return ScoreText(label, record, record.Board, text);
}

std::string ScoreText(int label, const game::GameRecord& record, const engine::Board& board,
                      const TextLookup& text) {
    std::string name;
    if (label == 0) {
        if (record.ComputerGame)
            name = text(settings::kTextComputerName);
        else
            name = record.NameTopHalf.empty() ? text(settings::kTextSecondHumanName)
                                              : record.NameTopHalf;
    } else {
        name = record.NameBottomHalf;
        if (name.empty())
            name = text(record.ComputerGame ? settings::kTextHumanName
                                            : settings::kTextFirstHumanName);
    }
    const int32_t store = board[label == 0 ? engine::kTopStore : engine::kBottomStore];
    return name + " : " + std::to_string(store);
}

}  // namespace zeko::gui
