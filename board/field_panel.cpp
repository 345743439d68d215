#include "board/field_panel.h"

#include <QPainter>

#include "board/board_geometry.h"
#include "board/board_style.h"
#include "board/chip_painter.h"
#include "platform/user_scale.h"

namespace zeko::board {

FieldColours LookColours(const settings::ColourTable& table, game::FieldLook look) {
    int background = settings::kFieldBackground;
    int chips = settings::kChips;
    if (look == game::FieldLook::Indicator) {
        background = settings::kMoveIndicatorBackground;
        chips = settings::kMoveIndicatorForeground;
    } else if (look == game::FieldLook::Flash) {
        background = settings::kFlashBackground;
    }
    const QColor chipColour = ItemColour(table, chips);
    return {ItemColour(table, background), chipColour, chipColour};
}

void DrawField(QPainter& painter, QSize pixels, int16_t count, bool graphicChips,
               const FieldColours& colours) {
    painter.fillRect(QRect(QPoint(0, 0), pixels), colours.background);
    const platform::UserScale scale(0, 0, kFieldUnits, kFieldUnits, pixels);
    if (!graphicChips) {
        const auto printed = FieldCountText(count);
        if (!printed) return;
        painter.save();
        painter.setFont(CountFont());
        painter.setPen(colours.fore);
        const QPointF corner = scale.Point(printed->x, printed->y);
        painter.drawText(QRectF(corner, QSizeF(pixels.width(), pixels.height())),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromStdString(printed->text));
        painter.restore();
        return;
    }
    const double radius = scale.Horizontal(kFieldChipRadius);
    for (const UnitPoint& centre : FieldChipCentres(count))
        PaintChip(painter, scale.Point(centre.x, centre.y), radius, colours.fore, colours.fill,
                  true);
}

FieldPanel::FieldPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FieldPanel::ShowCount(int16_t count) {
    count_ = count;
    repaint();
}

void FieldPanel::SetLook(game::FieldLook look) {
    look_ = look;
    repaint();
}

void FieldPanel::SetGraphicChips(bool on) {
    graphicChips_ = on;
    repaint();
}

void FieldPanel::SetColourTable(const settings::ColourTable& table) {
    table_ = table;
    repaint();
}

void FieldPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawField(painter, size(), count_, graphicChips_, LookColours(table_, look_));
}

}  // namespace zeko::board
