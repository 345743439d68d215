#include "gui/board/canvas_widget.h"

#include <QPainter>

namespace zeko::gui {

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CanvasWidget::CanvasFits() const {
    const qreal ratio = devicePixelRatioF();
    return !canvas_.isNull() && canvas_.size() == size() * ratio &&
           canvas_.devicePixelRatio() == ratio;
}

void CanvasWidget::PaintCanvas() {
    const qreal ratio = devicePixelRatioF();
    canvas_ = QImage(size() * ratio, QImage::Format_RGB32);
    if (canvas_.isNull()) return;
    canvas_.setDevicePixelRatio(ratio);
    QPainter painter(&canvas_);
    PaintAll(painter);
}

void CanvasWidget::DrawOnShown(const std::function<void(QPainter&)>& draw) {
    if (size().isEmpty()) return;
    if (!CanvasFits()) PaintCanvas();
    {
        QPainter painter(&canvas_);
        draw(painter);
    }
    if (!isVisible()) return;
    showingCanvas_ = true;
    repaint();
    showingCanvas_ = false;
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    if (size().isEmpty()) return;
    if (!showingCanvas_ || !CanvasFits()) PaintCanvas();
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

}  // namespace zeko::gui
