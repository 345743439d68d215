// The clock face (`ClockFace`): four seven-segment digits, minutes and
// seconds, with a colon between them that can blink.
#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <cstdint>

#include "gui/board/canvas_widget.h"
#include "gui/board/clock_digit.h"
#include "settings/colour_schemes.h"

namespace zeko::gui {

class ClockFace : public CanvasWidget {
    Q_OBJECT

  public:
    explicit ClockFace(QWidget* parent = nullptr);

    // 0 seconds units, 1 seconds tens, 2 minutes units, 3 minutes tens.
    ClockDigit& Digit(int k) { return *digits_.at(static_cast<std::size_t>(k)); }
    const ClockDigit& Digit(int k) const { return *digits_.at(static_cast<std::size_t>(k)); }

    // The face and its digits in the new colours, repainted at once.
    void SetColourTable(const settings::ColourTable& table);

    // The colon at once: on in the fore colour, off in the background colour.
    void DrawClockColon(bool on);

    // Shows s seconds as mm:ss: all four digits when full, else only the
    // digits that change when the clock counts down to s.
    void ShowClockTime(int seconds, bool full);
    // The time left, as a screen reader says it.
    void RefreshAccessibleName();

  protected:
    // A paint always shows the colon.
    void PaintAll(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PaintColon(QPainter& painter) const;

    std::array<ClockDigit*, 4> digits_{};  // children of the face
    settings::ColourTable table_ = settings::kBuiltInTable1;
    QColor colonColour_;
    int seconds_ = 0;
};

}  // namespace zeko::gui
