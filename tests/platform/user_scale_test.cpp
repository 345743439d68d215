// The mapping of a widget's user units onto its pixels.
#include <gtest/gtest.h>

#include "platform/user_scale.h"

namespace zeko::platform {
namespace {

TEST(UserScaleTest, MapsCornersAndStretches) {
    struct Case {
        const char* name;
        double left, top, right, bottom;
        QSize pixels;
        double x, y;
        QPointF expected;
    };
    for (const Case& c : {
             Case{"window top-left", 15, -2, 82, 40, {670, 420}, 15, -2, {0, 0}},
             Case{"window bottom-right", 15, -2, 82, 40, {670, 420}, 82, 40, {670, 420}},
             Case{"window twice as wide", 15, -2, 82, 40, {1340, 420}, 48.5, 19, {670, 210}},
             Case{"time bar runs right to left", 175, 0, 0, 10, {350, 40}, 5, 2, {340, 8}},
             Case{"digit runs bottom to top", -2, 22, 12, -2, {140, 240}, 0, 0, {20, 220}},
         }) {
        const UserScale scale(c.left, c.top, c.right, c.bottom, c.pixels);
        EXPECT_DOUBLE_EQ(scale.X(c.x), c.expected.x()) << c.name;
        EXPECT_DOUBLE_EQ(scale.Y(c.y), c.expected.y()) << c.name;
    }
}

TEST(UserScaleTest, RadiiComeFromTheHorizontalScale) {
    const UserScale wide(0, 0, 7, 7, {280, 70});
    EXPECT_DOUBLE_EQ(wide.Horizontal(1), 40);
    EXPECT_DOUBLE_EQ(wide.Vertical(1), 10);
    const UserScale reversed(175, 0, 0, 10, {350, 40});
    EXPECT_DOUBLE_EQ(reversed.Horizontal(10), 20);
    EXPECT_DOUBLE_EQ(reversed.Vertical(-2), 8);
}

TEST(UserScaleTest, BoxesIncludeBothCornersInAnyOrder) {
    const UserScale scale(15, -2, 82, 40, {670, 420});
    EXPECT_EQ(scale.Box(20, 11, 81, 32), QRect(QPoint(50, 130), QPoint(660, 340)));
    EXPECT_EQ(scale.Box(81, 32, 20, 11), QRect(QPoint(50, 130), QPoint(660, 340)));
    const UserScale reversed(175, 0, 0, 10, {350, 40});
    EXPECT_EQ(reversed.Box(5, 2, 15, 8), QRect(QPoint(320, 8), QPoint(340, 32)));
}

TEST(UserScaleTest, PlacedNeighboursDoNotOverlap) {
    // 67 units over 700 pixels does not divide evenly.
    const UserScale scale(15, -2, 82, 40, {700, 440});
    for (int i = 0; i < 5; ++i) {
        const QRect a = scale.Place(19 + 10 * i, 20, 10, 9.5);
        const QRect b = scale.Place(29 + 10 * i, 20, 9.5, 9.5);
        EXPECT_EQ(a.right() + 1, b.left()) << i;
    }
    EXPECT_EQ(scale.Place(15, -2, 67, 42), QRect(0, 0, 700, 440));
}

TEST(UserScaleTest, EmptyAreaOrSystemMapsWithoutFailing) {
    const UserScale none(0, 0, 7, 7, {0, 0});
    EXPECT_DOUBLE_EQ(none.X(3), 0);
    EXPECT_TRUE(none.Place(1, 1, 2, 2).isEmpty());
    const UserScale flat(3, 3, 3, 3, {100, 100});
    EXPECT_DOUBLE_EQ(flat.X(10), 0);
    EXPECT_DOUBLE_EQ(flat.Horizontal(1), 0);
}

}  // namespace
}  // namespace zeko::platform
