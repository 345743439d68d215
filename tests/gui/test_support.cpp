#include "test_support.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "settings/text_table.h"

namespace zeko::testing {

LanguageScope::LanguageScope(int16_t language) : previous_(settings::texts::CurrentLanguage()) {
    settings::texts::SetCurrentLanguage(language);
}

LanguageScope::~LanguageScope() {
    settings::texts::SetCurrentLanguage(previous_);
}

std::string EnglishText(int number) {
    return std::string(settings::BuiltInText(settings::kEnglish, number));
}

std::string DutchText(int number) {
    return std::string(settings::BuiltInText(settings::kDutch, number));
}

QColor ItemColour(const settings::ColourTable& table, int item) {
    const settings::Colour colour = table[static_cast<std::size_t>(item)];
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QIcon TestIcon(QColor colour) {
    QPixmap pixmap(32, 32);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

int CountPixels(const QImage& image, QColor colour, QRect area) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb()) ++count;
        }
    }
    return count;
}

}  // namespace zeko::testing
