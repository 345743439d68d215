// The round chip of the pits and the score bars.
#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

namespace zeko::gui {

// A filled circle of radius r pixels; with `highlight`, a white arc on its
// upper left (radius 0.7 r, 108 to 162 degrees) that makes it look round.
void PaintChip(QPainter& painter, QPointF centre, double radius, const QColor& outline,
               const QColor& fill, bool highlight);

}  // namespace zeko::gui
