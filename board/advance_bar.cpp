#include "board/advance_bar.h"

#include <QPainter>

#include "board/board_style.h"
#include "board/clock_geometry.h"
#include "platform/user_scale.h"

namespace zeko::board {

AdvanceBar::AdvanceBar(QWidget* parent) : CanvasWidget(parent) {}

void AdvanceBar::SetColourTable(const settings::ColourTable& table) {
    table_ = table;
    repaint();
}

void AdvanceBar::SetTimeBar(int32_t halfSeconds, int levelMinutes, int mode) {
    SetValue(TimeBarValue(halfSeconds, levelMinutes), mode);
}

void AdvanceBar::SetValue(float v, int mode) {
    shown_ = v;
    DrawTimeBar(v, mode);
}

void AdvanceBar::DrawTimeBar(float v, int mode) {
    DrawOnShown([&](QPainter& painter) { PaintSteps(painter, v, mode != 0); });
    previous_ = v;
}

void AdvanceBar::PaintAll(QPainter& painter) {
    PaintSteps(painter, shown_, false);
    previous_ = shown_;
}

void AdvanceBar::PaintSteps(QPainter& painter, float v, bool incremental) const {
    const platform::UserScale scale(kTimeBarLeft, 0, 0, kTimeBarBottom, size());
    const QColor background = ItemColour(table_, settings::kTimeBarBackground);
    const QColor fill = ItemColour(table_, settings::kTimeBarForeground);
    for (const TimeBarStep& step : TimeBarSteps(v, incremental, previous_)) {
        const QRect box = scale.Box(step.x1, kTimeBarBoxTop, step.x2, kTimeBarBoxBottom);
        switch (step.stroke) {
            case TimeBarStroke::ClearBar:
                painter.fillRect(rect(), background);
                break;
            case TimeBarStroke::FilledBox:
            case TimeBarStroke::Progress:
                painter.fillRect(box, fill);
                break;
            case TimeBarStroke::ClearedBox:
                painter.fillRect(box, background);
                break;
            case TimeBarStroke::Outline:
                // A stroked rectangle covers one pixel more than its size.
                painter.setPen(QPen(fill, 1));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(box.adjusted(0, 0, -1, -1));
                break;
        }
    }
}

}  // namespace zeko::board
