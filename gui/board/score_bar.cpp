#include "gui/board/score_bar.h"

#include <QLabel>
#include <QPainter>
#include <QRegion>
#include <utility>

#include "gui/board/board_style.h"
#include "gui/board/chip_painter.h"
#include "platform/user_scale.h"

namespace zeko::gui {

ScoreBar::ScoreBar(QWidget* parent) : CanvasWidget(parent) {}

void ScoreBar::SetScoreSource(ScoreSource source) {
    source_ = std::move(source);
}

void ScoreBar::SetColourTable(const settings::ColourTable& table) {
    table_ = table;
    repaint();
}

void ScoreBar::DrawScoreChips(int16_t n, int16_t o, ScoreDrawing drawing) {
    const platform::UserScale scale(0, 0, kScoreBarWidth, kScoreBarHeight, size());
    // Each changed position is drawn as the whole bar draws it, over its whole
    // square, so that a chip taken away leaves no smoothed edge behind.
    const double reach = scale.Horizontal(kScoreChipRadius) + 2;
    QRegion changed;
    for (const ScoreStep& step : ScoreChipSteps(n, o, drawing)) {
        const QPointF centre = scale.Point(ScoreChipX(step.Position), kScoreChipY);
        changed +=
            QRectF(centre - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach)).toAlignedRect();
    }
    if (drawing == ScoreDrawing::Whole) changed = rect();
    if (changed.isEmpty()) return;
    DrawOnShown([&](QPainter& painter) {
        painter.setClipRegion(changed);
        PaintBar(painter, n);
    });
}

void ScoreBar::PaintAll(QPainter& painter) {
    PaintBar(painter, source_ ? source_() : 0);
}

void ScoreBar::PaintBar(QPainter& painter, int n) const {
    painter.fillRect(rect(), ItemColour(table_, settings::kScoreBarsBackground));
    const platform::UserScale scale(0, 0, kScoreBarWidth, kScoreBarHeight, size());
    // Black lines after every fifth position make the count easy to read.
    painter.setPen(QPen(Qt::black, 1));
    for (int j = 1; j <= 4; ++j) {
        const QRect line = scale.Box(20 * j, 0, 20 * j, kScoreBarHeight);
        painter.drawLine(line.left(), 0, line.left(), height() - 1);
    }
    const double radius = scale.Horizontal(kScoreChipRadius);
    const QColor chip = ItemColour(table_, settings::kChips);
    const QColor empty = ItemColour(table_, settings::kChipsBackground);
    for (const ScoreStep& step : ScoreChipSteps(n, 0, ScoreDrawing::Whole)) {
        const QPointF centre = scale.Point(ScoreChipX(step.Position), kScoreChipY);
        if (step.Chip)
            PaintChip(painter, centre, radius, chip, chip, true);
        else
            PaintChip(painter, centre, radius, empty, empty, false);
    }
}

void ShowScoreText(ScoreTexts which, const game::GameRecord& record, const TextLookup& text,
                   const std::array<QLabel*, 2>& scoreLabels) {
    ShowScoreText(which, record, record.Board, text, scoreLabels);
}

void ShowScoreText(ScoreTexts which, const game::GameRecord& record, const engine::Board& board,
                   const TextLookup& text, const std::array<QLabel*, 2>& scoreLabels) {
    for (int label = 0; label < 2; ++label) {
        const bool wanted = which == ScoreTexts::Both ||
                            (label == 0 ? which == ScoreTexts::Top : which == ScoreTexts::Bottom);
        QLabel* target = scoreLabels[static_cast<std::size_t>(label)];
        if (!wanted || target == nullptr) continue;
        // A player's name is shown as typed, never read as markup.
        target->setTextFormat(Qt::PlainText);
        target->setText(QString::fromStdString(ScoreText(label, record, board, text)));
        target->adjustSize();
    }
}

}  // namespace zeko::gui
