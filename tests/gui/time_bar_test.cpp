// The time bar on rendered images.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "gui/clock_geometry.h"
#include "gui/time_bar.h"
#include "tests/support/image_probe.h"

namespace zeko::gui {
namespace {

const QColor kFill(255, 0, 0);  // item 4 of the first scheme
const QColor kBack(0, 0, 0);    // item 5

// 2 pixels per bar unit across (x runs from 175 at the left to 0), 4 down.
constexpr int kWidth = 350;
constexpr int kHeight = 40;

const platform::UserScale kScale(kTimeBarLeft, 0, 0, kTimeBarBottom, {kWidth, kHeight});

QColor At(const QImage& image, double x, double y) {
    return testing::ColourAt(image, kScale, x, y);
}

// The twelve segments from the left edge of the bar to its right edge: 'F'
// full, 'o' empty outline, 'p' partly full, '?' anything else.
std::string Segments(const QImage& image) {
    std::string s;
    for (int t = 110; t >= 0; t -= 10) {
        const double end = TimeBarSegmentEnd(t);
        const bool rightPart = At(image, end + 1, 5) == kFill;
        const bool leftPart = At(image, end + 9, 5) == kFill;
        const bool outline = At(image, end + 5, 2) == kFill && At(image, end + 5, 8) == kFill;
        if (rightPart && leftPart && outline)
            s += 'F';
        else if (!rightPart && !leftPart && outline)
            s += 'o';
        else if (rightPart && !leftPart && outline)
            s += 'p';
        else
            s += '?';
    }
    return s;
}

void Bar(TimeBar& bar) {
    bar.resize(kWidth, kHeight);
    ASSERT_TRUE(testing::ShowExposed(bar));
}

TEST(TimeBarTest, FullAndHalfTime) {
    TimeBar bar;
    Bar(bar);
    // Five minutes on a level-1 clock: c = 600 half-seconds.
    bar.SetTimeBar(600, 5, TimeBarDrawing::Whole);
    EXPECT_FLOAT_EQ(bar.ShownValue(), 120);
    EXPECT_EQ(Segments(bar.grab().toImage()), "FFFFFFFFFFFF");
    bar.SetTimeBar(300, 5, TimeBarDrawing::Whole);
    EXPECT_FLOAT_EQ(bar.ShownValue(), 60);
    const QImage half = bar.grab().toImage();
    EXPECT_EQ(Segments(half), "ooooooFFFFFF");
    // The gaps between segments and the strips above and below stay empty.
    EXPECT_EQ(At(half, TimeBarSegmentEnd(10) - 2, 5), kBack);
    EXPECT_EQ(At(half, TimeBarSegmentEnd(0) + 5, 1), kBack);
    EXPECT_EQ(At(half, TimeBarSegmentEnd(0) + 5, 9), kBack);
    EXPECT_EQ(At(half, 2, 5), kBack);
    EXPECT_EQ(At(half, 172, 5), kBack);
}

TEST(TimeBarTest, SegmentInProgressShrinksTowardsItsRightEnd) {
    TimeBar bar;
    Bar(bar);
    bar.SetValue(65, TimeBarDrawing::Whole);
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(Segments(image), "ooooopFFFFFF");
    const double end = TimeBarSegmentEnd(60);
    EXPECT_EQ(At(image, end + 4.5, 5), kFill);
    EXPECT_EQ(At(image, end + 5.5, 5), kBack);
}

TEST(TimeBarTest, IncrementalDrawing) {
    TimeBar bar;
    Bar(bar);
    bar.SetValue(120, TimeBarDrawing::Whole);
    EXPECT_EQ(Segments(bar.Shown()), "FFFFFFFFFFFF");
    bar.SetValue(115, TimeBarDrawing::Changes);
    EXPECT_EQ(Segments(bar.Shown()), "pFFFFFFFFFFF");
    EXPECT_FLOAT_EQ(bar.PreviousValue(), 115);
    bar.SetValue(100, TimeBarDrawing::Changes);
    EXPECT_EQ(Segments(bar.Shown()), "ooFFFFFFFFFF");
    bar.SetValue(55, TimeBarDrawing::Changes);
    EXPECT_EQ(Segments(bar.Shown()), "oooooopFFFFF");
    // Counting down never fills a segment again: full segments are left as
    // they are.
    bar.DrawTimeBar(120, TimeBarDrawing::Changes);
    EXPECT_EQ(Segments(bar.Shown()), "oooooopFFFFF");
    // A paint draws the whole bar from its shown value.
    bar.repaint();
    EXPECT_EQ(Segments(bar.Shown()), "oooooopFFFFF");
    EXPECT_FLOAT_EQ(bar.PreviousValue(), 55);
    bar.SetValue(120, TimeBarDrawing::Whole);
    EXPECT_EQ(Segments(bar.Shown()), "FFFFFFFFFFFF");
}

TEST(TimeBarTest, ColoursFromTheTable) {
    const settings::ColourTable table = testing::DistinctTable();
    TimeBar bar;
    Bar(bar);
    bar.SetColourTable(table);
    bar.SetValue(60, TimeBarDrawing::Whole);
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(At(image, TimeBarSegmentEnd(0) + 5, 5), testing::Item(table, 4));
    EXPECT_EQ(At(image, TimeBarSegmentEnd(100) + 5, 5), testing::Item(table, 5));
}

}  // namespace
}  // namespace zeko::gui
