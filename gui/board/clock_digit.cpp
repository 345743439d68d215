#include "gui/board/clock_digit.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstdint>

#include "gui/board/board_style.h"
#include "gui/board/clock_geometry.h"
#include "platform/user_scale.h"

namespace zeko::gui {

ClockDigit::ClockDigit(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClockDigit::ShowValue(int value) {
    value_ = value;
    repaint();
}

void ClockDigit::SetColourTable(const settings::ColourTable& table) {
    table_ = table;
    repaint();
}

void ClockDigit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ItemColour(table_, settings::kClockBackground));
    const platform::UserScale scale(kDigitLeft, kDigitTop, kDigitRight, kDigitBottom, size());
    // Wide enough for the three lines of a segment, half a unit apart, to
    // merge into one bar.
    const double unit = std::min(scale.Horizontal(1), scale.Vertical(1));
    painter.setPen(QPen(ItemColour(table_, settings::kClockForeground), std::max(1.0, 0.6 * unit),
                        Qt::SolidLine, Qt::FlatCap));
    const uint8_t mask = SegmentMask(value_);
    for (int s = 0; s < kSegmentCount; ++s) {
        if ((mask & (1 << s)) == 0) continue;
        for (const SegmentLine& line : kSegmentLines[static_cast<std::size_t>(s)])
            painter.drawLine(scale.Point(line.X1, line.Y1), scale.Point(line.X2, line.Y2));
    }
}

}  // namespace zeko::gui
