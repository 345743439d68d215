#include "gui/board/pit_view.h"

#include <QKeyEvent>
#include <QPainter>

#include "gui/board/accessible_texts.h"
#include "gui/board/board_geometry.h"
#include "gui/board/board_style.h"
#include "gui/board/chip_painter.h"
#include "platform/user_scale.h"

namespace zeko::gui {

namespace {

constexpr int kFocusInset = 2;  // pixels

}  // namespace

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
    painter.fillRect(QRect(QPoint(0, 0), pixels), colours.Background);
    const platform::UserScale scale(0, 0, kPitUnits, kPitUnits, pixels);
    if (!graphicChips) {
        const auto printed = PitCountText(count);
        if (!printed) return;
        painter.save();
        painter.setFont(CountFont());
        painter.setPen(colours.Fore);
        const QPointF corner = scale.Point(printed->X, printed->Y);
        painter.drawText(QRectF(corner, QSizeF(pixels.width(), pixels.height())),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromStdString(printed->Text));
        painter.restore();
        return;
    }
    const double radius = scale.Horizontal(kPitChipRadius);
    for (const UnitPoint& centre : PitChipCentres(count))
        PaintChip(painter, scale.Point(centre.X, centre.Y), radius, colours.Fore, colours.Fill,
                  true);
}

PitView::PitView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PitView::MakeButton() {
    button_ = true;
    // The mouse plays without moving the focus.
    setFocusPolicy(Qt::TabFocus);
}

void PitView::Press() {
    if (button_) emit Pressed();
}

void PitView::keyPressEvent(QKeyEvent* event) {
    const bool press = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                       event->key() == Qt::Key_Enter;
    if (button_ && press && event->modifiers() == Qt::NoModifier) {
        Press();
        return;
    }
    // Letters, arrows and the rest go on to the window.
    QWidget::keyPressEvent(event);
}

void PitView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PitView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
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
    const PitColours colours = LookColours(table_, look_);
    DrawPit(painter, size(), count_, graphicChips_, colours);
    if (hasFocus()) {
        // The keyboard's focus: a dotted frame just inside the edge.
        painter.setPen(QPen(colours.Fore, 1, Qt::DotLine));
        painter.drawRect(
            rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
    }
}

}  // namespace zeko::gui
