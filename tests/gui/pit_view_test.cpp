// Pits drawn on rendered images: chips in their rows, printed counts, the
// colours of the three looks, and repainting at once.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <vector>

#include "gui/board_style.h"
#include "gui/pit_view.h"
#include "tests/support/image_probe.h"

namespace zeko::gui {
namespace {

using testing::ColourAt;
using testing::CountShapes;
using testing::InkBounds;
using testing::Item;

// 20 pixels per pit unit.
constexpr int kSide = 140;

QImage Render(int16_t count, bool graphicChips, game::PitLook look = game::PitLook::Normal,
              const settings::ColourTable& table = settings::kBuiltInTable1) {
    PitView panel;
    panel.resize(kSide, kSide);
    panel.SetColourTable(table);
    panel.SetGraphicChips(graphicChips);
    panel.SetLook(look);
    panel.ShowCount(count);
    return panel.grab().toImage();
}

// Yellow chips on black in the first built-in scheme.
bool ChipLike(QColor c) {
    return c.red() > 100 && c.green() > 100 && c.blue() < 60;
}

struct Row {
    double y;
    std::vector<double> xs;
};

TEST(DrawFieldTest, ChipRowsAtTheirPlaces) {
    struct Case {
        int count;
        std::vector<Row> rows;
    };
    const std::vector<double> six = {1, 2, 3, 4, 5, 6};
    const std::vector<double> seven = {0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5};
    for (const Case& c : std::vector<Case>{
             {1, {{3.25, {3.5}}}},
             {2, {{3.25, {3, 4}}}},
             {3, {{2.75, {3.5}}, {3.75, {3, 4}}}},
             {7, {{2.25, {3, 4}}, {3.25, {2.5, 3.5, 4.5}}, {4.25, {3, 4}}}},
             {8, {{2.25, {3, 4}}, {3.25, {2.5, 3.5, 4.5}}, {4.25, {2.5, 3.5, 4.5}}}},
             {48,
              {{0.25, six},
               {1.25, seven},
               {2.25, seven},
               {3.25, seven},
               {4.25, seven},
               {5.25, seven},
               {6.25, seven}}},
         }) {
        const QImage image = Render(static_cast<int16_t>(c.count), true);
        const platform::UserScale scale(0, 0, 7, 7, image.size());
        EXPECT_EQ(CountShapes(image, ChipLike), c.count) << c.count << " stones";
        for (const Row& row : c.rows) {
            for (const double x : row.xs) {
                EXPECT_EQ(ColourAt(image, scale, x, row.y), QColor(255, 255, 0))
                    << c.count << " stones, chip at (" << x << ", " << row.y << ")";
            }
        }
        // Half a unit beside or below a chip's centre is background.
        for (const Row& row : c.rows) {
            for (const double x : {row.xs.front() - 0.5, row.xs.back() + 0.5}) {
                if (x > 0 && x < 7) {
                    EXPECT_EQ(ColourAt(image, scale, x, row.y), QColor(0, 0, 0)) << c.count;
                }
            }
        }
        if (c.rows.back().y + 0.5 < 7) {
            EXPECT_EQ(ColourAt(image, scale, 3.5, c.rows.back().y + 0.5), QColor(0, 0, 0))
                << c.count;
        }
    }
}

TEST(DrawFieldTest, ChipsAreRoundWithAWhiteHighlightOnTheUpperLeft) {
    // A pit twice as wide as high: chips keep the horizontal radius.
    PitView panel;
    panel.resize(280, 140);
    panel.ShowCount(1);
    const QImage image = panel.grab().toImage();
    const QRect chip = InkBounds(image, ChipLike);
    const double radius = 0.49 * 280 / 9.5;
    EXPECT_NEAR(chip.width(), 2 * radius, 2.5);
    EXPECT_NEAR(chip.height(), 2 * radius, 2.5);
    const QRect highlight = InkBounds(
        image, [](QColor c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; });
    ASSERT_FALSE(highlight.isEmpty());
    const QPointF centre(3.5 * 40, 3.25 * 20);
    EXPECT_LT(highlight.right(), centre.x());
    EXPECT_LT(highlight.bottom(), centre.y());
    EXPECT_TRUE(chip.contains(highlight));
}

TEST(DrawFieldTest, PrintedCountsWithGraphicChipsOff) {
    const QFontMetricsF metrics(CountFont());
    const double blank = metrics.horizontalAdvance(QLatin1Char(' '));
    struct Case {
        int count;
        double x;
    };
    for (const Case c : {Case{4, 2.2}, Case{12, 1.7}, Case{48, 1.7}}) {
        const QImage image = Render(static_cast<int16_t>(c.count), false);
        const QRect ink = InkBounds(image, ChipLike);
        ASSERT_FALSE(ink.isEmpty()) << c.count;
        // The digits begin after the blank, near the text's corner.
        const double left = c.x * 20 + blank;
        EXPECT_GE(ink.left(), left - 2) << c.count;
        EXPECT_LE(ink.left(), left + 6) << c.count;
        EXPECT_GE(ink.top(), 2.2 * 20) << c.count;
        EXPECT_LE(ink.top(), 2.2 * 20 + metrics.ascent()) << c.count;
        EXPECT_LT(ink.width(), (c.count < 10 ? 1.5 : 2.5) * metrics.horizontalAdvance('0'))
            << c.count;
        // No chips: the ink is one or two glyphs, not rows of circles.
        EXPECT_LE(CountShapes(image, ChipLike), 4) << c.count;
    }
}

TEST(DrawFieldTest, EmptyPitShowsOnlyItsBackground) {
    for (const bool graphicChips : {true, false}) {
        for (const int16_t count : {int16_t{0}, int16_t{-3}}) {
            const QImage image = Render(count, graphicChips);
            EXPECT_TRUE(InkBounds(image, [](QColor c) { return c != QColor(0, 0, 0); }).isEmpty())
                << count << " " << graphicChips;
        }
    }
}

TEST(DrawFieldTest, LooksTakeTheirColourItems) {
    const settings::ColourTable table = testing::DistinctTable();
    struct Case {
        game::PitLook look;
        int background;
        int chips;
    };
    for (const Case c : {Case{game::PitLook::Normal, 1, 2}, Case{game::PitLook::Indicator, 11, 12},
                         Case{game::PitLook::Flash, 14, 2}}) {
        const QImage image = Render(1, true, c.look, table);
        const platform::UserScale scale(0, 0, 7, 7, image.size());
        EXPECT_EQ(ColourAt(image, scale, 0.5, 0.5), Item(table, c.background));
        EXPECT_EQ(ColourAt(image, scale, 3.5, 3.25), Item(table, c.chips));
        const QImage printed = Render(12, false, c.look, table);
        EXPECT_FALSE(
            InkBounds(printed, [&](QColor p) { return p == Item(table, c.chips); }).isEmpty());
    }
}

class CountingPanel : public PitView {
  public:
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        PitView::paintEvent(event);
    }
};

TEST(PitViewTest, ChangesRepaintAtOnce) {
    CountingPanel panel;
    panel.resize(70, 70);
    ASSERT_TRUE(testing::ShowExposed(panel));
    panel.paints = 0;
    panel.ShowCount(5);
    EXPECT_EQ(panel.paints, 1);
    panel.SetLook(game::PitLook::Flash);
    EXPECT_EQ(panel.paints, 2);
    panel.SetGraphicChips(false);
    EXPECT_EQ(panel.paints, 3);
    panel.SetColourTable(settings::kBuiltInTable2);
    EXPECT_EQ(panel.paints, 4);
    EXPECT_EQ(panel.ShownCount(), 5);
    EXPECT_EQ(panel.Look(), game::PitLook::Flash);
    EXPECT_FALSE(panel.GraphicChips());
}

TEST(PitViewTest, TurningGraphicChipsKeepsTheCount) {
    PitView panel;
    panel.resize(kSide, kSide);
    panel.ShowCount(7);
    panel.SetGraphicChips(false);
    EXPECT_EQ(panel.ShownCount(), 7);
    panel.SetGraphicChips(true);
    EXPECT_EQ(CountShapes(panel.grab().toImage(), ChipLike), 7);
}

}  // namespace
}  // namespace zeko::gui
