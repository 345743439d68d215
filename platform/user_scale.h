// A widget's own coordinate system over its client area, so that layouts are
// given in units that follow the window's size: any rectangle of user units
// stretched over the pixels, not kept square, either axis possibly reversed.
#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

namespace zeko::platform {

class UserScale {
  public:
    // (left, top) is the user point at the client area's top-left corner,
    // (right, bottom) the one at its bottom-right corner.
    UserScale(double left, double top, double right, double bottom, QSize pixels);

    QSize Pixels() const { return pixels_; }

    double X(double x) const { return (x - left_) * xFactor_; }
    double Y(double y) const { return (y - top_) * yFactor_; }
    QPointF Point(double x, double y) const { return {X(x), Y(y)}; }

    // Lengths along an axis in pixels, whatever its direction. Circle radii
    // are horizontal lengths, so circles stay round on the screen.
    double Horizontal(double length) const;
    double Vertical(double length) const;

    // The pixels a filled box between two corners covers, both corners
    // included, given in either order.
    QRect Box(double x1, double y1, double x2, double y2) const;

    // A child element's geometry from its left, top, width and height: the
    // elements of a row that touch in user units touch in pixels too.
    QRect Place(double left, double top, double width, double height) const;

  private:
    double left_;
    double top_;
    double xFactor_;
    double yFactor_;
    QSize pixels_;
};

}  // namespace zeko::platform
