#include "gui/board/chip_painter.h"

#include <QPainter>
#include <QPen>

namespace zeko::gui {

void PaintChip(QPainter& painter, QPointF centre, double radius, const QColor& outline,
               const QColor& fill, bool highlight) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(fill);
    painter.drawEllipse(centre, radius, radius);
    if (highlight) {
        const double r = 0.7 * radius;
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::NoBrush);
        // Qt counts angles in sixteenths of a degree, counter-clockwise from
        // 3 o'clock.
        painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 108 * 16, 54 * 16);
    }
    painter.restore();
}

}  // namespace zeko::gui
