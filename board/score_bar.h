// A score bar (an element of the main window's `GrScores`): the store's count
// as chips in 25 positions, and the score texts that stand in for the bars
// when Graphic Scores is off.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "board/canvas_widget.h"
#include "board/score_geometry.h"
#include "game/game_record.h"
#include "settings/colour_schemes.h"

class QLabel;

namespace zeko::board {

class ScoreBar : public CanvasWidget {
  public:
    // The score a full paint shows, read at each paint (for the main window,
    // cell 12 or 13 of the game's Board).
    using ScoreSource = std::function<int()>;

    explicit ScoreBar(QWidget* parent = nullptr);

    void SetScoreSource(ScoreSource source);
    // Repaints the bar at once in the new colours.
    void SetColourTable(const settings::ColourTable& table);

    // Draws chip positions and shows them at once: m = 1 the whole bar for
    // score n, any other m only the positions between the old score o and n.
    void DrawScoreChips(int16_t n, int16_t o, int16_t m);

  protected:
    void PaintAll(QPainter& painter) override;

  private:
    void PaintSteps(QPainter& painter, int n, int o, int m) const;

    ScoreSource source_;
    settings::ColourTable table_ = settings::kBuiltInTable1;
};

// `ShowScoreText`: which = 1 rewrites the top half's text (label 0), 0 the
// bottom half's (label 1), 2 both; each label is resized to its new text, so
// that the window can centre it. Any other value changes nothing.
void ShowScoreText(int which, const game::GameRecord& record, const TextLookup& text,
                   const std::array<QLabel*, 2>& scorelabels);

}  // namespace zeko::board
