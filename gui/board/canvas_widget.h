// A panel that can be drawn on between its paints, as the score bars, the
// clock face and the time bar are: small changes are drawn onto what the
// panel shows and shown at once, while a paint event draws it all anew.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QPainter;

namespace zeko::gui {

class CanvasWidget : public QWidget {
  public:
    explicit CanvasWidget(QWidget* parent = nullptr);

    // What the panel shows now, the drawings since its last paint included.
    const QImage& Shown() const { return canvas_; }

  protected:
    // The whole panel, as a paint event draws it.
    virtual void PaintAll(QPainter& painter) = 0;

    // Draws onto what the panel shows and repaints it at once without a full
    // paint. A panel that has never been painted at its size is painted whole
    // first, so that the drawing has something to go onto.
    void DrawOnShown(const std::function<void(QPainter&)>& draw);

    void paintEvent(QPaintEvent* event) override;

  private:
    bool CanvasFits() const;
    void PaintCanvas();

    QImage canvas_;
    bool showingCanvas_ = false;
};

}  // namespace zeko::gui
