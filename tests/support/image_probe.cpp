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
    std::vector<bool> seen(static_cast<std::size_t>(image.width() * image.height()));
    // Marks a pixel of a shape not seen before.
    const auto mark = [&](QPoint p) {
        const auto index = static_cast<std::size_t>(p.y() * image.width() + p.x());
        const bool fresh = image.rect().contains(p) && !seen[index] && inside(image.pixelColor(p));
        if (fresh) seen[index] = true;
        return fresh;
    };
    int shapes = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!mark(QPoint(x, y))) continue;
            ++shapes;
            std::vector<QPoint> open = {QPoint(x, y)};
            while (!open.empty()) {
                const QPoint p = open.back();
                open.pop_back();
                for (const QPoint next :
                     {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
                    if (mark(next)) open.push_back(next);
                }
            }
        }
    }
    return shapes;
}

QRect InkBounds(const QImage& image, const PixelTest& inside, QRect area) {
    const QRect clipped = area.isEmpty() ? image.rect() : area.intersected(image.rect());
    QRect bounds;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (inside(image.pixelColor(x, y))) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

}  // namespace zeko::testing
