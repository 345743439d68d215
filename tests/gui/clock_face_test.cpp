// The clock face on rendered images: digit segments, the digits a new time
// rewrites, and the colon.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "gui/clock_face.h"
#include "gui/clock_geometry.h"
#include "tests/support/image_probe.h"

namespace zeko::gui {
namespace {

const QColor kFore(255, 0, 0);  // item 7 of the first scheme
const QColor kBack(0, 0, 0);    // item 8

// The middle of each segment in digit units, in bit order.
struct Probe {
    const char* name;
    double x;
    double y;
};
const std::vector<Probe> kSegmentProbes = {
    {"bottom", 5, 0},  {"lower left", 0, 4.75},  {"lower right", 10, 4.75},
    {"middle", 5, 10}, {"upper left", 0, 15.25}, {"upper right", 10, 15.25},
    {"top", 5, 20},
};

// The lit segments of digit k of a rendered face, by name.
std::vector<std::string> LitSegments(const QImage& face, const ClockFace& clock, int k) {
    const QRect place = clock.Digit(k).geometry();
    const platform::UserScale scale(kDigitLeft, kDigitTop, kDigitRight, kDigitBottom, place.size());
    std::vector<std::string> lit;
    for (const Probe& p : kSegmentProbes) {
        const QPoint pixel = place.topLeft() + testing::PixelOf(scale, p.x, p.y);
        if (face.pixelColor(pixel) == kFore) lit.push_back(p.name);
    }
    return lit;
}

// The digit a panel shows, read from the image; '?' when no digit matches.
char ReadDigit(const QImage& face, const ClockFace& clock, int k) {
    const std::vector<std::string> lit = LitSegments(face, clock, k);
    for (int v = 0; v <= 9; ++v) {
        std::vector<std::string> expected;
        for (int s = 0; s < 7; ++s) {
            if (SegmentMask(v) & (1 << s))
                expected.push_back(kSegmentProbes[static_cast<std::size_t>(s)].name);
        }
        if (expected == lit) return static_cast<char>('0' + v);
    }
    return '?';
}

// "mm:ss" as the face shows it.
std::string ReadTime(ClockFace& clock) {
    const QImage face = clock.grab().toImage();
    std::string s;
    for (int k = 3; k >= 0; --k) {
        s += ReadDigit(face, clock, k);
        if (k == 2) s += ':';
    }
    return s;
}

class ClockFaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        clock_.resize(250, 75);
        ASSERT_TRUE(testing::ShowExposed(clock_));
    }
    ClockFace clock_;
};

TEST_F(ClockFaceTest, DigitsLightTheirSegments) {
    struct Case {
        int value;
        std::vector<std::string> lit;
    };
    for (const Case& c : std::vector<Case>{
             {7, {"lower right", "upper right", "top"}},
             {1, {"lower right", "upper right"}},
             {8,
              {"bottom", "lower left", "lower right", "middle", "upper left", "upper right",
               "top"}},
             {0, {"bottom", "lower left", "lower right", "upper left", "upper right", "top"}},
             {6, {"bottom", "lower left", "lower right", "middle", "upper left"}},
             {9, {"lower right", "middle", "upper left", "upper right", "top"}},
             {4, {"lower right", "middle", "upper left", "upper right"}},
             {2, {"bottom", "lower left", "middle", "upper right", "top"}},
         }) {
        clock_.Digit(2).ShowValue(c.value);
        EXPECT_EQ(LitSegments(clock_.grab().toImage(), clock_, 2), c.lit) << c.value;
    }
    // Nothing to show for a value that is no digit.
    clock_.Digit(2).ShowValue(12);
    EXPECT_TRUE(LitSegments(clock_.grab().toImage(), clock_, 2).empty());
}

TEST_F(ClockFaceTest, SegmentsAreSolidBars) {
    // Across the bottom bar, one unit thick, every pixel is lit.
    clock_.Digit(0).ShowValue(8);
    const QImage face = clock_.grab().toImage();
    const QRect place = clock_.Digit(0).geometry();
    const platform::UserScale scale(kDigitLeft, kDigitTop, kDigitRight, kDigitBottom, place.size());
    const int top = static_cast<int>(scale.Y(0.4));
    const int bottom = static_cast<int>(scale.Y(-0.4));
    const int x = place.left() + static_cast<int>(scale.X(5));
    for (int y = top; y <= bottom; ++y)
        EXPECT_EQ(face.pixelColor(x, y), kFore) << y;
}

TEST_F(ClockFaceTest, DigitsSitInTheirPlaces) {
    const double h = 75;
    const double w = h * 14 / 25;
    const double lefts[4] = {125 + 1.6 * w, 125 + 0.5 * w, 125 - 1.4 * w, 125 - 2.5 * w};
    for (int k = 0; k < 4; ++k) {
        const QRect g = clock_.Digit(k).geometry();
        EXPECT_NEAR(g.left(), lefts[k], 0.5) << k;
        EXPECT_NEAR(g.width(), w, 1) << k;
        EXPECT_EQ(g.top(), 0);
        EXPECT_EQ(g.height(), 75);
    }
    // The digits follow a resize of the face.
    clock_.resize(500, 150);
    EXPECT_NEAR(clock_.Digit(3).geometry().left(), 250 - 2.5 * 2 * w, 0.5);
    EXPECT_EQ(clock_.Digit(3).geometry().height(), 150);
}

TEST_F(ClockFaceTest, ShowClockTimeRewritesOnlyTheDigitsNamed) {
    struct Case {
        int seconds;
        bool full;
        const char* shown;  // every digit showed 3 before
    };
    for (const Case c :
         {Case{125, true, "02:05"}, Case{120, true, "02:00"}, Case{119, false, "31:59"},
          Case{118, false, "33:38"}, Case{59, false, "30:59"}, Case{599, false, "09:59"}}) {
        for (int k = 0; k < 4; ++k)
            clock_.Digit(k).ShowValue(3);
        clock_.ShowClockTime(c.seconds, c.full);
        EXPECT_EQ(ReadTime(clock_), c.shown) << c.seconds;
    }
}

TEST_F(ClockFaceTest, ShowClockTimeRepaintsEachRewrittenDigitAtOnce) {
    std::vector<testing::PaintCounter*> counters;
    for (int k = 0; k < 4; ++k)
        counters.push_back(new testing::PaintCounter(&clock_.Digit(k)));
    clock_.ShowClockTime(120, true);
    for (testing::PaintCounter* counter : counters)
        counter->Reset();
    clock_.ShowClockTime(119, false);
    EXPECT_GE(counters[0]->Count(), 1);
    EXPECT_GE(counters[1]->Count(), 1);
    EXPECT_GE(counters[2]->Count(), 1);
    EXPECT_EQ(counters[3]->Count(), 0);
    for (testing::PaintCounter* counter : counters)
        counter->Reset();
    clock_.ShowClockTime(118, false);
    EXPECT_GE(counters[0]->Count(), 1);
    EXPECT_EQ(counters[1]->Count(), 0);
    EXPECT_EQ(counters[2]->Count(), 0);
    EXPECT_EQ(counters[3]->Count(), 0);
}

TEST_F(ClockFaceTest, ColonBlinksAndAPaintShowsIt) {
    const auto colour = [](const QImage& face, int i) {
        return face.pixelColor(125, i == 0 ? 25 : 50);
    };
    const QImage painted = clock_.grab().toImage();
    EXPECT_EQ(colour(painted, 0), kFore);
    EXPECT_EQ(colour(painted, 1), kFore);

    clock_.DrawClockColon(false);
    EXPECT_EQ(colour(clock_.Shown(), 0), kBack);
    EXPECT_EQ(colour(clock_.Shown(), 1), kBack);
    clock_.DrawClockColon(true);
    EXPECT_EQ(colour(clock_.Shown(), 1), kFore);

    clock_.DrawClockColon(false);
    clock_.repaint();
    EXPECT_EQ(colour(clock_.Shown(), 0), kFore);

    // The discs' radius is a twelfth of the height.
    const QImage face = clock_.grab().toImage();
    EXPECT_EQ(face.pixelColor(125 + 4, 25), kFore);
    EXPECT_EQ(face.pixelColor(125 + 8, 25), kBack);
    EXPECT_EQ(face.pixelColor(125, 37), kBack);
}

TEST_F(ClockFaceTest, ColoursFromTheTable) {
    const settings::ColourTable table = testing::DistinctTable();
    clock_.SetColourTable(table);
    clock_.Digit(0).ShowValue(8);
    const QImage face = clock_.grab().toImage();
    EXPECT_EQ(face.pixelColor(125, 25), testing::Item(table, 7));
    EXPECT_EQ(face.pixelColor(125, 5), testing::Item(table, 8));
    const QRect digit = clock_.Digit(0).geometry();
    EXPECT_EQ(face.pixelColor(digit.center().x(), digit.top() + 2), testing::Item(table, 8));
}

}  // namespace
}  // namespace zeko::gui
