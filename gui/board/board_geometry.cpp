#include "gui/board/board_geometry.h"

#include <cmath>
#include <cstdlib>

#include "engine/board.h"

namespace zeko::gui {

namespace {

// Position along the row, 0 at the left end, for both rows.
bool BottomRow(int pit) {
    return pit < engine::kPitsPerRow;
}

// The top row runs from right to left, as the stones travel.
int Column(int pit) {
    return BottomRow(pit) ? pit : engine::kPits - 1 - pit;
}

}  // namespace

UnitRect PitRect(int pit) {
    return {19.0 + 10 * Column(pit), BottomRow(pit) ? 20.0 : 10.0, kPitSize, kPitSize};
}

UnitPoint PitLabelPosition(int pit) {
    return {23.25 + 10 * Column(pit), BottomRow(pit) ? 30.0 : 7.5};
}

std::string PitLetter(int pit) {
    if (pit < 0 || pit >= engine::kPits) return {};
    return std::string(
        1, static_cast<char>(BottomRow(pit) ? 'A' + pit : 'a' + (pit - engine::kPitsPerRow)));
}

UnitRect ScoreBarRect(int bar) {
    return {18.5, bar == 0 ? 3.0 : 34.0, 60, 3};
}

double ScoreLabelTop(int label) {
    return label == 0 ? 4 : 34;
}

std::vector<BackingBox> BoardBackingBoxes(const settings::ViewOptions& view) {
    std::vector<BackingBox> boxes;
    const bool shadow = view[settings::kViewShadow];
    if (shadow) boxes.push_back({20, 11, 81, 32, settings::kShadow});
    boxes.push_back(kBoardBacking);
    if (shadow && view[settings::kViewGraphicScores]) {
        for (const double y0 : {5.0, 36.0})
            boxes.push_back({20, y0, 80, y0 + 3, settings::kShadow});
    }
    return boxes;
}

int ChipRows(int count) {
    int rows = 0;
    for (int k = 1; k <= 7; ++k) {
        if (count > (k - 1) * k) rows = k;
    }
    return rows;
}

std::vector<int> ChipRowCounts(int count) {
    const int rows = ChipRows(count);
    std::vector<int> counts;
    if (rows == 0) return counts;
    const int per = count / rows;
    const int rem = count - rows * per;
    for (int j = 1; j <= rows; ++j) {
        // Twice the row's distance below the middle of the block, shifted by a
        // quarter row, so that the extra chips go to the rows nearest the middle,
        // the lower one first.
        const double d = 2 * std::abs(j - (rows + 1.5) / 2);
        counts.push_back(rem > d ? per + 1 : per);
    }
    return counts;
}

std::vector<UnitPoint> PitChipCentres(int count) {
    const std::vector<int> counts = ChipRowCounts(count);
    const double rows = static_cast<double>(counts.size());
    std::vector<UnitPoint> centres;
    for (std::size_t j = 1; j <= counts.size(); ++j) {
        const double y = static_cast<double>(j) + 2.75 - rows / 2;
        const int per = counts[j - 1];
        for (int c = 1; c <= per; ++c)
            centres.push_back({c + 3 - per / 2.0, y});
    }
    return centres;
}

std::optional<PrintedCount> PitCountText(int count) {
    if (count < 1) return std::nullopt;
    // Numbers print with a blank where a minus sign would go.
    std::string text = " ";
    text += std::to_string(count);
    return PrintedCount{text, count < 10 ? 2.2 : 1.7, 2.2};
}

}  // namespace zeko::gui
