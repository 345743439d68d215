#include "gui/board/board_style.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPalette>

namespace zeko::gui {

QFont SansSerif(double points, bool bold) {
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor ToQColor(settings::Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QColor ItemColour(const settings::ColourTable& table, int item) {
    if (item < 0 || item >= settings::kColourItemCount) return Qt::black;
    return ToQColor(table[static_cast<std::size_t>(item)]);
}

QFont CountFont() {
    return SansSerif(13.5, true);
}

QFont PitLabelFont() {
    return SansSerif(8.25, true);
}

QFont ScoreTextFont() {
    return SansSerif(9.75, true);
}

void StylePitLabel(QLabel& label, const settings::ColourTable& table) {
    label.setFont(PitLabelFont());
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, ItemColour(table, settings::kFieldLabels));
    label.setPalette(palette);
    // Only the letter is drawn; what lies under it shows through.
    label.setAutoFillBackground(false);
}

void StyleScoreLabel(QLabel& label, const settings::ColourTable& table) {
    label.setFont(ScoreTextFont());
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, ItemColour(table, settings::kScoreText));
    label.setPalette(palette);
    label.setAutoFillBackground(false);
}

void StyleButton(QAbstractButton& button, const QColor& face, const QColor& text) {
    // A disabled button keeps both colours but writes in the grey halfway
    // between them, so that it still looks unavailable.
    const QColor grey((face.red() + text.red()) / 2, (face.green() + text.green()) / 2,
                      (face.blue() + text.blue()) / 2);
    button.setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2;"
                                        " border: 1px solid %2; padding: 2px 12px; }"
                                        " QPushButton:focus { border-width: 2px; }"
                                        " QPushButton:pressed { background-color: %2; color: %1; }"
                                        " QPushButton:disabled { color: %3; border-color: %3; }")
                             .arg(face.name(), text.name(), grey.name()));
}

}  // namespace zeko::gui
