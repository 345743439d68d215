#include "gui/pit_view.h"

#include <QPainter>

#include "gui/accessible_texts.h"
#include "gui/board_geometry.h"
#include "gui/board_style.h"
#include "gui/chip_painter.h"
#include "platform/user_scale.h"

namespace zeko::gui {

PitColours LookColours(const settings::ColourTable& table, game::PitLook look) {
    int background = settings::kFieldBackground;
    int chips = settings::kChips;
    if (look == game::PitLook::Indicator) {
        background = settings::kMoveIndicatorBackground;
        chips = settings::kMoveIndicatorForeground;
    } else if (look == game::PitLook::Flash) {
        background = settings::kFlashBackground;
    }
    const QColor chipColour = ItemColour(table, chips);
    return {ItemColour(table, background), chipColour, chipColour};
}

void DrawPit(QPainter& painter, QSize pixels, int16_t count, bool graphicChips,
             const PitColours& colours) {
    painter.fillRect(QRect(QPoint(0, 0), pixels), colours.background);
    const platform::UserScale scale(0, 0, kPitUnits, kPitUnits, pixels);
    if (!graphicChips) {
        const auto printed = PitCountText(count);
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
    const double radius = scale.Horizontal(kPitChipRadius);
    for (const UnitPoint& centre : PitChipCentres(count))
        PaintChip(painter, scale.Point(centre.x, centre.y), radius, colours.fore, colours.fill,
                  true);
}

PitView::PitView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PitView::ShowCount(int16_t count) {
    count_ = count;
    RefreshAccessibleName();
    repaint();
}

void PitView::SetLetter(const std::string& letter) {
    letter_ = letter;
    RefreshAccessibleName();
}

void PitView::SetPlayable(bool playable) {
    if (playable == playable_) return;
    playable_ = playable;
    RefreshAccessibleName();
}

void PitView::RefreshAccessibleName() {
    setAccessibleName(QString::fromStdString(PitDescription(letter_, count_, playable_)));
}

void PitView::SetLook(game::PitLook look) {
    look_ = look;
    repaint();
}

void PitView::SetGraphicChips(bool on) {
    graphicChips_ = on;
    repaint();
}

void PitView::SetColourTable(const settings::ColourTable& table) {
    table_ = table;
    repaint();
}

void PitView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawPit(painter, size(), count_, graphicChips_, LookColours(table_, look_));
}

}  // namespace zeko::gui
