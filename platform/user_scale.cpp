#include "platform/user_scale.h"

#include <algorithm>
#include <cmath>

namespace zeko::platform {

namespace {

int Round(double pixels) {
    return static_cast<int>(std::floor(pixels + 0.5));
}

// A degenerate system (both edges equal) maps everything onto its origin
// rather than dividing by zero.
double Factor(double from, double to, int pixels) {
    return to == from ? 0.0 : pixels / (to - from);
}

}  // namespace

UserScale::UserScale(double left, double top, double right, double bottom, QSize pixels)
    : left_(left),
      top_(top),
      xFactor_(Factor(left, right, pixels.width())),
      yFactor_(Factor(top, bottom, pixels.height())),
      pixels_(pixels) {}

double UserScale::Horizontal(double length) const {
    return std::abs(length * xFactor_);
}

double UserScale::Vertical(double length) const {
    return std::abs(length * yFactor_);
}

QRect UserScale::Box(double x1, double y1, double x2, double y2) const {
    const int px1 = Round(X(x1));
    const int px2 = Round(X(x2));
    const int py1 = Round(Y(y1));
    const int py2 = Round(Y(y2));
    return QRect(QPoint(std::min(px1, px2), std::min(py1, py2)),
                 QPoint(std::max(px1, px2), std::max(py1, py2)));
}

QRect UserScale::Place(double left, double top, double width, double height) const {
    const int px1 = Round(X(left));
    const int px2 = Round(X(left + width));
    const int py1 = Round(Y(top));
    const int py2 = Round(Y(top + height));
    return QRect(std::min(px1, px2), std::min(py1, py2), std::abs(px2 - px1), std::abs(py2 - py1));
}

}  // namespace zeko::platform
