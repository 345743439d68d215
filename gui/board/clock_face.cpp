#include "gui/board/clock_face.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "gui/board/accessible_texts.h"
#include "gui/board/accessible_widgets.h"
#include "gui/board/board_style.h"
#include "gui/board/clock_geometry.h"
#include "platform/user_scale.h"

namespace zeko::gui {

ClockFace::ClockFace(QWidget* parent) : CanvasWidget(parent) {
    // The face's name tells the time; its digits only draw it.
    for (ClockDigit*& digit : digits_) {
        digit = new ClockDigit(this);
        HideFromAccessibility(*digit);
    }
    colonColour_ = ItemColour(table_, settings::kClockForeground);
}

void ClockFace::SetColourTable(const settings::ColourTable& table) {
    table_ = table;
    for (ClockDigit* digit : digits_)
        digit->SetColourTable(table);
    repaint();
}

void ClockFace::DrawClockColon(bool on) {
    colonColour_ = ItemColour(table_, on ? settings::kClockForeground : settings::kClockBackground);
    DrawOnShown([this](QPainter& painter) { PaintColon(painter); });
}

void ClockFace::ShowClockTime(int seconds, bool full) {
    seconds_ = seconds;
    RefreshAccessibleName();
    for (const DigitUpdate& update : ClockTimeUpdates(seconds, full))
        Digit(update.Digit).ShowValue(update.Value);
}

void ClockFace::RefreshAccessibleName() {
    setAccessibleName(QString::fromStdString(ClockDescription(seconds_)));
}

void ClockFace::PaintAll(QPainter& painter) {
    painter.fillRect(rect(), ItemColour(table_, settings::kClockBackground));
    colonColour_ = ItemColour(table_, settings::kClockForeground);
    PaintColon(painter);
}

void ClockFace::PaintColon(QPainter& painter) const {
    const double w = width();
    const double h = height();
    const double r = ClockColonRadius(w, h);
    const QColor background = ItemColour(table_, settings::kClockBackground);
    painter.save();
    for (const double y : {h / 3, 2 * h / 3}) {
        const QPointF centre(w / 2, y);
        // The dot's whole square, smoothed edge and pen included, goes back
        // to the background first, so a hidden colon leaves no ring.
        painter.fillRect(
            QRectF(centre - QPointF(r + 2, r + 2), QSizeF(2 * r + 4, 2 * r + 4)).toAlignedRect(),
            background);
        if (colonColour_ == background) continue;
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(colonColour_, 1));
        painter.setBrush(colonColour_);
        painter.drawEllipse(centre, r, r);
    }
    painter.restore();
}

void ClockFace::resizeEvent(QResizeEvent* event) {
    CanvasWidget::resizeEvent(event);
    for (int k = 0; k < 4; ++k) {
        const FaceRect place = ClockDigitRect(k, width(), height());
        const int left = static_cast<int>(std::lround(place.Left));
        const int right = static_cast<int>(std::lround(place.Left + place.Width));
        digits_[static_cast<std::size_t>(k)]->setGeometry(left, 0, right - left, height());
    }
}

}  // namespace zeko::gui
