// The time bar (`AdvanceBar`): twelve segments that empty from the left as the
// level's thinking time runs out, in place of the clock face.
#pragma once

#include <cstdint>

#include "board/canvas_widget.h"
#include "settings/colour_schemes.h"

namespace zeko::board {

class AdvanceBar : public CanvasWidget {
  public:
    explicit AdvanceBar(QWidget* parent = nullptr);

    // The fraction of the time left that a paint shows, 0 to 120.
    float ShownValue() const { return shown_; }
    float PreviousValue() const { return previous_; }

    // Repaints the bar at once in the new colours.
    void SetColourTable(const settings::ColourTable& table);

    // c half-seconds left of a limit of `levelMinutes` minutes: stores the
    // value and draws it. Mode 0 draws the whole bar, any other mode only
    // what changed since the previous drawing.
    void SetTimeBar(int32_t halfSeconds, int levelMinutes, int mode);
    // The same for a value already worked out.
    void SetValue(float v, int mode);
    // Draws value v (without storing it as the shown value) and shows it at
    // once.
    void DrawTimeBar(float v, int mode);

  protected:
    void PaintAll(QPainter& painter) override;

  private:
    void PaintSteps(QPainter& painter, float v, bool incremental) const;

    float shown_ = 0;
    float previous_ = 0;
    settings::ColourTable table_ = settings::kBuiltInTable1;
};

}  // namespace zeko::board
