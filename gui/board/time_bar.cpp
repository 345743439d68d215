#include "gui/board/time_bar.h"

#include <QPainter>

#include "gui/board/board_style.h"
#include "gui/board/clock_geometry.h"
#include "platform/user_scale.h"

namespace zeko::gui {

TimeBar::TimeBar(QWidget* parent) : CanvasWidget(parent) {}

void TimeBar::SetColourTable(const settings::ColourTable& table) {
    table_ = table;
    repaint();
}

void TimeBar::SetTimeBar(int32_t halfSeconds, int levelMinutes, TimeBarDrawing drawing) {
    SetValue(TimeBarValue(halfSeconds, levelMinutes), drawing);
}

void TimeBar::SetValue(float v, TimeBarDrawing drawing) {
    shown_ = v;
    DrawTimeBar(v, drawing);
}

void TimeBar::DrawTimeBar(float v, TimeBarDrawing drawing) {
    DrawOnShown(
        [&](QPainter& painter) { PaintSteps(painter, v, drawing == TimeBarDrawing::Changes); });
    previous_ = v;
}

void TimeBar::PaintAll(QPainter& painter) {
    PaintSteps(painter, shown_, false);
    previous_ = shown_;
}

void TimeBar::PaintSteps(QPainter& painter, float v, bool incremental) const {
    const platform::UserScale scale(kTimeBarLeft, 0, 0, kTimeBarBottom, size());
    const QColor background = ItemColour(table_, settings::kTimeBarBackground);
    const QColor fill = ItemColour(table_, settings::kTimeBarForeground);
    for (const TimeBarStep& step : TimeBarSteps(v, incremental, previous_)) {
        const QRect box = scale.Box(step.X1, kTimeBarBoxTop, step.X2, kTimeBarBoxBottom);
        switch (step.Stroke) {
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

}  // namespace zeko::gui
