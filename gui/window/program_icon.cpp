#include "gui/window/program_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace zeko::gui {

QImage ProgramIconImage(int size, bool monochrome) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    const QColor board = monochrome ? QColor(255, 255, 255) : QColor(150, 90, 40);
    const QColor pit = monochrome ? QColor(255, 255, 255) : QColor(230, 200, 140);
    const QColor stone = monochrome ? QColor(0, 0, 0) : QColor(40, 40, 120);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(board);
    painter.drawRoundedRect(QRectF(1.5, 6.5, 29, 19), 4, 4);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QPointF centre(7 + 9 * column, 12 + 8 * row);
            painter.setBrush(pit);
            painter.setPen(QPen(Qt::black, 0.8));
            painter.drawEllipse(centre, 3.6, 3.2);
            painter.setBrush(stone);
            painter.setPen(Qt::NoPen);
            const int stones = 1 + (row * 3 + column) % 3;
            for (int s = 0; s < stones; ++s)
                painter.drawEllipse(centre + QPointF(-1.2 + 1.2 * s, 0.3 * (s % 2)), 1.0, 1.0);
        }
    }
    return image;
}

QIcon ProgramIcon(bool monochrome) {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size, monochrome)));
    return icon;
}

QPixmap PlayablePointerImage() {
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 17);
    arrow.lineTo(5, 13);
    arrow.lineTo(8, 20);
    arrow.lineTo(11, 19);
    arrow.lineTo(8, 12);
    arrow.lineTo(13, 12);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    // The stone that says "this pit can be played".
    painter.setBrush(QColor(0, 160, 0));
    painter.drawEllipse(QPointF(20, 22), 6, 6);
    painter.setPen(QPen(Qt::white, 1.2));
    painter.drawArc(QRectF(16, 18, 8, 8), 108 * 16, 54 * 16);
    return image;
}

}  // namespace zeko::gui
