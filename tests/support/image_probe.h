// Reading rendered images: colours at points given in a widget's own units,
// and the shapes of one colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>

#include "gui/board_style.h"
#include "platform/user_scale.h"
#include "settings/colour_schemes.h"

namespace zeko::testing {

inline QPoint PixelOf(const platform::UserScale& scale, double x, double y) {
    return {static_cast<int>(scale.X(x)), static_cast<int>(scale.Y(y))};
}

inline QColor ColourAt(const QImage& image, const platform::UserScale& scale, double x, double y) {
    return image.pixelColor(PixelOf(scale, x, y));
}

inline QColor Item(const settings::ColourTable& table, int item) {
    return gui::ItemColour(table, item);
}

// A table whose 23 items all differ, so that a wrong item shows.
inline settings::ColourTable DistinctTable() {
    settings::ColourTable table{};
    for (int i = 0; i < settings::kColourItemCount; ++i)
        table[static_cast<std::size_t>(i)] =
            settings::Rgb(10 * i + 5, 250 - 10 * i, (37 * i) % 256);
    return table;
}

// Shows a widget as a window and lets the platform expose it, so that a
// repaint reaches it at once. False if the window never got exposed.
bool ShowExposed(QWidget& widget);

// The number of 4-connected shapes of pixels that pass `inside`.
int CountShapes(const QImage& image, const std::function<bool(QColor)>& inside);

// The bounding box of the pixels that pass `inside`; empty when none do.
QRect InkBounds(const QImage& image, const std::function<bool(QColor)>& inside);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QObject* watched);
    int Count() const { return count_; }
    void Reset() { count_ = 0; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int count_ = 0;
};

}  // namespace zeko::testing
