#include "board/score_geometry.h"

#include <algorithm>

namespace zeko::board {

namespace {

constexpr int kTextHuman = 43;
constexpr int kTextComputer = 44;
constexpr int kTextHuman1 = 45;
constexpr int kTextHuman2 = 46;

void AddSteps(std::vector<ScoreStep>& steps, int from, int to, bool chip) {
    for (int k = std::max(from, 0); k <= std::min(to, kScorePositions - 1); ++k)
        steps.push_back({k, chip});
}

}  // namespace

std::vector<ScoreStep> ScoreChipSteps(int n, int o, int m) {
    std::vector<ScoreStep> steps;
    AddSteps(steps, m == 1 ? 0 : o, n - 1, true);
    AddSteps(steps, n, m == 1 ? kScorePositions - 1 : o, false);
    return steps;
}

std::string ScoreText(int label, const game::GameRecord& record, const TextLookup& text) {
    std::string name;
    if (label == 0) {
        if (record.ComputerGame)
            name = text(kTextComputer);
        else
            name = record.NameTopHalf.empty() ? text(kTextHuman2) : record.NameTopHalf;
    } else {
        name = record.NameBottomHalf;
        if (name.empty()) name = text(record.ComputerGame ? kTextHuman : kTextHuman1);
    }
    const int32_t store = record.Board[label == 0 ? engine::kTopStore : engine::kBottomStore];
    return name + " : " + std::to_string(store);
}

}  // namespace zeko::board
