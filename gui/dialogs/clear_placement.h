// Where a dialog goes so that it leaves part of its owner window in view.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace zeko::gui {

// The top left corner of a dialog frame of `frame` size on `screen` that does
// not cover `avoid`: right below it, right above it, right or left of `owner`
// (all in screen coordinates), the first of these that lies whole on the
// screen. Where none does, the frame is centred over `owner`, kept on the
// screen as far as it fits.
QPoint ClearPlacement(const QRect& avoid, const QRect& owner, const QRect& screen, QSize frame);

}  // namespace zeko::gui
