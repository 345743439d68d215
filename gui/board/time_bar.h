// The time bar (`TimeBar`): twelve segments that empty from the left as the
// level's thinking time runs out, in place of the clock face.
#pragma once

#include <cstdint>

#include "gui/board/canvas_widget.h"
#include "settings/colour_schemes.h"

namespace zeko::gui {

enum class TimeBarDrawing { Whole = 0, Changes = 1 };

class TimeBar : public CanvasWidget {
  public:
    explicit TimeBar(QWidget* parent = nullptr);

    // The fraction of the time left that a paint shows, 0 to 120.
    float ShownValue() const { return shown_; }
    float PreviousValue() const { return previous_; }

    // Repaints the bar at once in the new colours.
    void SetColourTable(const settings::ColourTable& table);

    // halfSeconds left of a limit of `levelMinutes` minutes: stores the value
    // and draws it, whole or only what changed since the previous drawing.
    void SetTimeBar(int32_t halfSeconds, int levelMinutes, TimeBarDrawing drawing);
    // The same for a value already worked out.
    void SetValue(float v, TimeBarDrawing drawing);
    // Draws value v (without storing it as the shown value) and shows it at
    // once.
    void DrawTimeBar(float v, TimeBarDrawing drawing);

  protected:
    void PaintAll(QPainter& painter) override;

  private:
    void PaintSteps(QPainter& painter, float v, bool incremental) const;

    float shown_ = 0;
    float previous_ = 0;
    settings::ColourTable table_ = settings::kBuiltInTable1;
};

}  // namespace zeko::gui
