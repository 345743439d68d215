// The window's background layer on a rendered image.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "gui/board_backing.h"
#include "gui/board_geometry.h"
#include "tests/support/image_probe.h"

namespace zeko::gui {
namespace {

using testing::Item;

const settings::ColourTable kTable = testing::DistinctTable();

// Ten pixels per window unit.
QImage Render(bool shadow, bool graphicScores) {
    QImage image(670, 420, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    settings::ViewOptions view{};
    view[settings::kViewShadow] = shadow;
    view[settings::kViewGraphicScores] = graphicScores;
    QPainter painter(&image);
    PaintBoardBacking(
        painter,
        platform::UserScale(kWindowLeft, kWindowTop, kWindowRight, kWindowBottom, image.size()),
        view, kTable);
    return image;
}

QColor At(const QImage& image, double x, double y) {
    return image.pixelColor(static_cast<int>((x - 15) * 10), static_cast<int>((y + 2) * 10));
}

TEST(PaintBoardBackingTest, ShadowAndBackingByViewOptions) {
    struct Probe {
        const char* where;
        double x;
        double y;
        int withShadow;     // item with Shadow and Graphic Scores on
        int scoresOff;      // item with Shadow on, Graphic Scores off
        int withoutShadow;  // item with Shadow off
    };
    const std::vector<Probe> probes = {
        {"board backing", 19, 10, 9, 9, 9},
        {"board backing, bottom right", 78.8, 29.8, 9, 9, 9},
        {"shadow beyond the right edge", 80.5, 20, 13, 13, 0},
        {"shadow beyond the bottom edge", 50, 31.5, 13, 13, 0},
        {"shadow's bottom-right corner", 80.9, 31.9, 13, 13, 0},
        {"left of the shadow, below the board", 19.5, 31, 0, 0, 0},
        {"above the shadow, right of the board", 80, 10.5, 0, 0, 0},
        {"top score bar's shadow", 79.5, 7.5, 13, 0, 0},
        {"bottom score bar's shadow", 50, 38.5, 13, 0, 0},
        {"window background", 16, 0, 0, 0, 0},
        {"window background, bottom right", 81.9, 39.9, 0, 0, 0},
    };
    const QImage both = Render(true, true);
    const QImage scoresOff = Render(true, false);
    const QImage none = Render(false, true);
    for (const Probe& p : probes) {
        EXPECT_EQ(At(both, p.x, p.y), Item(kTable, p.withShadow)) << p.where;
        EXPECT_EQ(At(scoresOff, p.x, p.y), Item(kTable, p.scoresOff)) << p.where;
        EXPECT_EQ(At(none, p.x, p.y), Item(kTable, p.withoutShadow)) << p.where;
    }
}

TEST(PaintBoardBackingTest, ShadowRectangleEdges) {
    const QImage image = Render(true, false);
    const QColor shadow = Item(kTable, 13);
    const QColor backing = Item(kTable, 9);
    // Along y = 31 (pixel row 330) the shadow runs from x = 20 to x = 81.
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, 330) != shadow) continue;
        if (first < 0) first = x;
        last = x;
    }
    EXPECT_EQ(first, 50);
    EXPECT_EQ(last, 660);
    // Down x = 80 (pixel column 650) from y = 11 to y = 32.
    first = last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixelColor(650, y) != shadow) continue;
        if (first < 0) first = y;
        last = y;
    }
    EXPECT_EQ(first, 130);
    EXPECT_EQ(last, 340);
    // The backing covers (18.5, 9.5) to (79, 30); the shadow peeks out beyond.
    EXPECT_EQ(image.pixelColor(35, 115), backing);
    EXPECT_EQ(image.pixelColor(640, 320), backing);
    EXPECT_EQ(image.pixelColor(641, 320), shadow);
    EXPECT_EQ(image.pixelColor(640, 321), shadow);
    EXPECT_EQ(image.pixelColor(34, 115), Item(kTable, 0));
}

}  // namespace
}  // namespace zeko::gui
