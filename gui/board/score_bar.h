// A score bar (one of the main window's two): the store's count
// as chips in 25 positions, and the score texts that stand in for the bars
// when Graphic Scores is off.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "game/game_record.h"
#include "gui/board/canvas_widget.h"
#include "gui/board/score_geometry.h"
#include "settings/colour_schemes.h"

class QLabel;

namespace zeko::gui {

class ScoreBar : public CanvasWidget {
  public:
    // The score a full paint shows, read at each paint (for the main window,
    // cell 12 or 13 of the game's Board).
    using ScoreSource = std::function<int()>;

    explicit ScoreBar(QWidget* parent = nullptr);

    void SetScoreSource(ScoreSource source);
    // Repaints the bar at once in the new colours.
    void SetColourTable(const settings::ColourTable& table);

    // Draws chip positions for score n, changed from o, and shows them at once.
    void DrawScoreChips(int16_t n, int16_t o, ScoreDrawing drawing);

  protected:
    void PaintAll(QPainter& painter) override;

  private:
    // The whole bar for score n: background, the fives' lines and all positions.
    void PaintBar(QPainter& painter, int n) const;

    ScoreSource source_;
    settings::ColourTable table_ = settings::kBuiltInTable1;
};

// Which score texts to rewrite: label 0 holds the top half's, label 1 the
// bottom half's.
enum class ScoreTexts { Bottom = 0, Top = 1, Both = 2 };

// Rewrites score texts; each label is resized to its new text, so that the
// window can centre it.
void ShowScoreText(ScoreTexts which, const game::GameRecord& record, const TextLookup& text,
                   const std::array<QLabel*, 2>& scoreLabels);
// The same with the stores of `board` (the editor's board) in place of the game's.
void ShowScoreText(ScoreTexts which, const game::GameRecord& record, const engine::Board& board,
                   const TextLookup& text, const std::array<QLabel*, 2>& scoreLabels);

}  // namespace zeko::gui
