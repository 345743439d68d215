// Where the pits, chips, letters and the background layer lie, without pixels.
#include <gtest/gtest.h>

#include <vector>

#include "gui/board_geometry.h"

namespace zeko::gui {
namespace {

TEST(ChipRowsTest, RowsGrowWithTheCount) {
    struct Case {
        int first;
        int last;
        int rows;
    };
    for (const Case c : std::vector<Case>{{-5, 0, 0},
                                          {1, 2, 1},
                                          {3, 6, 2},
                                          {7, 12, 3},
                                          {13, 20, 4},
                                          {21, 30, 5},
                                          {31, 42, 6},
                                          {43, 60, 7}}) {
        for (int n = c.first; n <= c.last; ++n)
            EXPECT_EQ(ChipRows(n), c.rows) << "count " << n;
    }
}

TEST(ChipRowsTest, ExtraChipsGoToTheMiddleRowsLowerFirst) {
    struct Case {
        int count;
        std::vector<int> rows;
    };
    for (const Case& c : std::vector<Case>{{0, {}},
                                           {1, {1}},
                                           {2, {2}},
                                           {3, {1, 2}},
                                           {5, {2, 3}},
                                           {7, {2, 3, 2}},
                                           {8, {2, 3, 3}},
                                           {11, {3, 4, 4}},
                                           {14, {3, 4, 4, 3}},
                                           {48, {6, 7, 7, 7, 7, 7, 7}}}) {
        EXPECT_EQ(ChipRowCounts(c.count), c.rows) << "count " << c.count;
    }
}

TEST(ChipRowsTest, EveryStoneGetsAChip) {
    for (int n = 1; n <= 48; ++n) {
        int total = 0;
        for (const int per : ChipRowCounts(n))
            total += per;
        EXPECT_EQ(total, n);
        EXPECT_EQ(PitChipCentres(n).size(), static_cast<std::size_t>(n));
    }
}

// The chip block is centred on (3.5, 3.25), chips one unit apart.
std::vector<UnitPoint> CentredBlock(const std::vector<int>& rows) {
    std::vector<UnitPoint> centres;
    const double top = 3.25 - (static_cast<double>(rows.size()) - 1) / 2;
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const double left = 3.5 - (rows[j] - 1) / 2.0;
        for (int c = 0; c < rows[j]; ++c)
            centres.push_back({left + c, top + static_cast<double>(j)});
    }
    return centres;
}

TEST(ChipCentresTest, CentredRowsOneUnitApart) {
    EXPECT_NEAR(kFieldChipRadius, 0.3611, 1e-4);
    const std::vector<UnitPoint> one = PitChipCentres(1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_DOUBLE_EQ(one[0].x, 3.5);
    EXPECT_DOUBLE_EQ(one[0].y, 3.25);
    const std::vector<UnitPoint> two = PitChipCentres(2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_DOUBLE_EQ(two[0].x, 3);
    EXPECT_DOUBLE_EQ(two[1].x, 4);

    for (const int n : {1, 2, 3, 7, 8, 12, 20, 30, 42, 48}) {
        const std::vector<UnitPoint> expected = CentredBlock(ChipRowCounts(n));
        const std::vector<UnitPoint> actual = PitChipCentres(n);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i) {
            EXPECT_DOUBLE_EQ(actual[i].x, expected[i].x) << n << " chip " << i;
            EXPECT_DOUBLE_EQ(actual[i].y, expected[i].y) << n << " chip " << i;
        }
    }
    // The centres of 48 stones lie inside the panel.
    for (const UnitPoint& p : PitChipCentres(48)) {
        EXPECT_GT(p.x, 0);
        EXPECT_LT(p.x, kFieldUnits);
        EXPECT_GT(p.y, 0);
        EXPECT_LT(p.y, kFieldUnits);
    }
}

TEST(PrintedCountTest, BlankThenDigitsAtTheirCorner) {
    EXPECT_FALSE(PitCountText(0));
    EXPECT_FALSE(PitCountText(-4));
    const auto four = PitCountText(4);
    ASSERT_TRUE(four);
    EXPECT_EQ(four->text, " 4");
    EXPECT_DOUBLE_EQ(four->x, 2.2);
    EXPECT_DOUBLE_EQ(four->y, 2.2);
    const auto nine = PitCountText(9);
    ASSERT_TRUE(nine);
    EXPECT_DOUBLE_EQ(nine->x, 2.2);
    const auto twelve = PitCountText(12);
    ASSERT_TRUE(twelve);
    EXPECT_EQ(twelve->text, " 12");
    EXPECT_DOUBLE_EQ(twelve->x, 1.7);
    EXPECT_DOUBLE_EQ(twelve->y, 2.2);
}

TEST(BoardLayoutTest, PitsRunCounterClockwise) {
    struct Case {
        int field;
        double left;
        double top;
        double labelLeft;
        double labelTop;
        const char* letter;
    };
    for (const Case& c : std::vector<Case>{{0, 19, 20, 23.25, 30, "A"},
                                           {5, 69, 20, 73.25, 30, "F"},
                                           {6, 69, 10, 73.25, 7.5, "a"},
                                           {11, 19, 10, 23.25, 7.5, "f"},
                                           {8, 49, 10, 53.25, 7.5, "c"}}) {
        const UnitRect r = PitRect(c.field);
        EXPECT_DOUBLE_EQ(r.left, c.left) << c.field;
        EXPECT_DOUBLE_EQ(r.top, c.top) << c.field;
        EXPECT_DOUBLE_EQ(r.width, 9.5);
        EXPECT_DOUBLE_EQ(r.height, 9.5);
        const UnitPoint label = PitLabelPosition(c.field);
        EXPECT_DOUBLE_EQ(label.x, c.labelLeft) << c.field;
        EXPECT_DOUBLE_EQ(label.y, c.labelTop) << c.field;
        EXPECT_EQ(PitLetter(c.field), c.letter);
    }
    EXPECT_EQ(PitLetter(12), "");
    EXPECT_EQ(PitLetter(-1), "");
}

TEST(BoardLayoutTest, BackingBoxesFollowShadowAndGraphicScores) {
    struct Case {
        bool shadow;
        bool graphicScores;
        std::vector<int> items;
    };
    for (const Case& c : std::vector<Case>{{false, false, {9}},
                                           {false, true, {9}},
                                           {true, false, {13, 9}},
                                           {true, true, {13, 9, 13, 13}}}) {
        settings::ViewOptions view{};
        view[settings::kViewShadow] = c.shadow;
        view[settings::kViewGraphicScores] = c.graphicScores;
        std::vector<int> items;
        for (const BackingBox& box : BoardBackingBoxes(view))
            items.push_back(box.colourItem);
        EXPECT_EQ(items, c.items) << c.shadow << c.graphicScores;
    }
    settings::ViewOptions all{};
    all.fill(true);
    const std::vector<BackingBox> boxes = BoardBackingBoxes(all);
    ASSERT_EQ(boxes.size(), 4u);
    const BackingBox& shadow = boxes[0];
    const BackingBox& backing = boxes[1];
    EXPECT_DOUBLE_EQ(shadow.x2 - backing.x2, 2);
    EXPECT_DOUBLE_EQ(shadow.y2 - backing.y2, 2);
    EXPECT_DOUBLE_EQ(shadow.x1 - backing.x1, 1.5);
    EXPECT_DOUBLE_EQ(shadow.y1 - backing.y1, 1.5);
    // Each score bar's shadow lies 1.5 right of and 2 below its bar.
    for (int bar = 0; bar < 2; ++bar) {
        const UnitRect r = ScoreBarRect(bar);
        const BackingBox& s = boxes[2 + static_cast<std::size_t>(bar)];
        EXPECT_DOUBLE_EQ(s.x1, r.left + 1.5);
        EXPECT_DOUBLE_EQ(s.y1, r.top + 2);
        EXPECT_DOUBLE_EQ(s.x2, r.left + r.width + 1.5);
        EXPECT_DOUBLE_EQ(s.y2, r.top + r.height + 2);
    }
}

}  // namespace
}  // namespace zeko::gui
