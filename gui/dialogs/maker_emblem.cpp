#include "gui/dialogs/maker_emblem.h"

#include <QPainter>
#include <QRadialGradient>
#include <array>

namespace zeko::gui {

namespace {

struct Pebble {
    QRectF Box;  // in a 32 by 32 square
    QColor Light;
    QColor Dark;
};

}  // namespace

QPixmap MakerEmblem(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    const std::array<Pebble, 3> pebbles = {{
        {QRectF(3, 19, 26, 11), QColor(200, 196, 186), QColor(104, 98, 90)},
        {QRectF(7, 10.5, 18, 10), QColor(214, 204, 184), QColor(120, 106, 86)},
        {QRectF(11, 3, 10, 8.5), QColor(226, 220, 208), QColor(128, 120, 108)},
    }};
    for (const Pebble& pebble : pebbles) {
        // Lit from the upper left, like a stone in the sun.
        QRadialGradient shade(
            pebble.Box.center() - QPointF(pebble.Box.width() * 0.2, pebble.Box.height() * 0.25),
            pebble.Box.width() * 0.7);
        shade.setColorAt(0, pebble.Light);
        shade.setColorAt(1, pebble.Dark);
        painter.setBrush(shade);
        painter.setPen(QPen(QColor(64, 58, 52), 0.8));
        painter.drawEllipse(pebble.Box);
    }
    return pixmap;
}

}  // namespace zeko::gui
