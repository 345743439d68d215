// One seven-segment digit of the clock face.
#pragma once

#include <QWidget>

#include "settings/colour_schemes.h"

namespace zeko::gui {

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

}  // namespace zeko::gui
