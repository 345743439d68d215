// Reading rendered images: a colour table whose items all differ, and the
// shapes and extent of the pixels a test looks for.
#pragma once

#include <QImage>
#include <functional>

#include "settings/colour_schemes.h"

namespace zeko::testing {

using PixelTest = std::function<bool(QColor)>;

// A table whose 23 items all differ, so that a wrong item shows.
settings::ColourTable DistinctTable();

// The number of 4-connected shapes of pixels that pass `inside`.
int CountShapes(const QImage& image, const PixelTest& inside);

// The bounding box of the pixels in `area` (the whole image when empty) that
// pass `inside`; empty when none do.
QRect InkBounds(const QImage& image, const PixelTest& inside, QRect area = {});

}  // namespace zeko::testing
