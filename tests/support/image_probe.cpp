#include "tests/support/image_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <vector>

namespace zeko::testing {

bool ShowExposed(QWidget& widget) {
    widget.show();
    // The offscreen platform exposes a window once its events are handled;
    // no waiting is involved.
    for (int round = 0; round < 100; ++round) {
        if (widget.windowHandle() != nullptr && widget.windowHandle()->isExposed()) return true;
        QCoreApplication::processEvents();
    }
    return false;
}

int CountShapes(const QImage& image, const std::function<bool(QColor)>& inside) {
    const int w = image.width();
    const int h = image.height();
    std::vector<char> seen(static_cast<std::size_t>(w * h), 0);
    auto index = [w](int x, int y) { return static_cast<std::size_t>(y * w + x); };
    int shapes = 0;
    std::vector<QPoint> stack;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (seen[index(x, y)] || !inside(image.pixelColor(x, y))) continue;
            ++shapes;
            stack.push_back({x, y});
            seen[index(x, y)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = p + d;
                    if (n.x() < 0 || n.y() < 0 || n.x() >= w || n.y() >= h) continue;
                    if (seen[index(n.x(), n.y())] || !inside(image.pixelColor(n))) continue;
                    seen[index(n.x(), n.y())] = 1;
                    stack.push_back(n);
                }
            }
        }
    }
    return shapes;
}

QRect InkBounds(const QImage& image, const std::function<bool(QColor)>& inside) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inside(image.pixelColor(x, y))) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

PaintCounter::PaintCounter(QObject* watched) : QObject(watched) {
    watched->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) ++count_;
    return QObject::eventFilter(watched, event);
}

}  // namespace zeko::testing
