#include "tests/support/image_probe.h"

#include <vector>

namespace zeko::testing {

settings::ColourTable DistinctTable() {
    settings::ColourTable table{};
    for (int i = 0; i < settings::kColourItemCount; ++i)
        table[static_cast<std::size_t>(i)] = settings::Rgb(10 * i + 5, 250 - 10 * i, 37 * i % 256);
    return table;
}

int CountShapes(const QImage& image, const PixelTest& inside) {
    QImage seen(image.size(), QImage::Format_Mono);
    seen.fill(0);
    int shapes = 0;
    std::vector<QPoint> open;
    for (int k = 0; k < image.width() * image.height(); ++k) {
        open = {QPoint(k % image.width(), k / image.width())};
        shapes += !seen.pixelIndex(open.front()) && inside(image.pixelColor(open.front()));
        // Marks the whole shape of a pixel not seen before.
        while (!open.empty()) {
            const QPoint p = open.back();
            open.pop_back();
            if (!image.rect().contains(p) || seen.pixelIndex(p) || !inside(image.pixelColor(p)))
                continue;
            seen.setPixel(p, 1);
            open.insert(open.end(),
                        {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
        }
    }
    return shapes;
}

QRect InkBounds(const QImage& image, const PixelTest& inside, QRect area) {
    const QRect clipped = area.isEmpty() ? image.rect() : area.intersected(image.rect());
    QRect bounds;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (inside(image.pixelColor(x, y))) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

}  // namespace zeko::testing
