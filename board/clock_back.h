// The clock face (`ClockBack`): four seven-segment `Digits`, minutes and
// seconds, with a colon between them that can blink.
#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <cstdint>

#include "board/canvas_widget.h"
#include "settings/colour_schemes.h"

namespace zeko::board {

// One digit of the clock face; it keeps the digit it shows.
class ClockDigit : public QWidget {
  public:
    explicit ClockDigit(QWidget* parent = nullptr);

    int Value() const { return value_; }
    // Sets the digit and repaints it at once. A value outside 0-9 lights no
    // segment.
    void ShowValue(int value);
    void SetColourTable(const settings::ColourTable& table);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int value_ = 0;
    settings::ColourTable table_ = settings::kBuiltInTable1;
};

class ClockBack : public CanvasWidget {
  public:
    explicit ClockBack(QWidget* parent = nullptr);

    // 0 seconds units, 1 seconds tens, 2 minutes units, 3 minutes tens.
    ClockDigit& Digits(int k) { return *digits_.at(static_cast<std::size_t>(k)); }
    const ClockDigit& Digits(int k) const { return *digits_.at(static_cast<std::size_t>(k)); }

    // The face and its digits in the new colours, repainted at once.
    void SetColourTable(const settings::ColourTable& table);

    // The colon at once: 1 in the fore colour, 0 in the background colour
    // (hidden), any other state in the colour it had last.
    void DrawClockColon(int state);

    // Shows s seconds as mm:ss: all four digits when full, else only the
    // digits that change when the clock counts down to s.
    void ShowClockTime(int seconds, bool full);

  protected:
    // A paint always shows the colon.
    void PaintAll(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PaintColon(QPainter& painter) const;

    std::array<ClockDigit*, 4> digits_{};  // children of the face
    settings::ColourTable table_ = settings::kBuiltInTable1;
    QColor colonColour_;
};

}  // namespace zeko::board
