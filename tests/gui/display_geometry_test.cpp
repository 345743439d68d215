// The score, clock and time bar displays without pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gui/clock_geometry.h"
#include "gui/score_geometry.h"

namespace zeko::gui {
namespace {

std::vector<int> Positions(const std::vector<ScoreStep>& steps, bool chip) {
    std::vector<int> positions;
    for (const ScoreStep& s : steps) {
        if (s.chip == chip) positions.push_back(s.position);
    }
    return positions;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> r;
    for (int k = first; k <= last; ++k)
        r.push_back(k);
    return r;
}

TEST(ScoreChipStepsTest, WholeAndIncrementalDrawings) {
    struct Case {
        const char* name;
        int n;
        int o;
        int m;
        std::vector<int> chips;
        std::vector<int> empties;
    };
    for (const Case& c : std::vector<Case>{
             {"score 0, whole bar", 0, 0, 1, {}, Range(0, 24)},
             {"score 7, whole bar", 7, 3, 1, Range(0, 6), Range(7, 24)},
             {"score 25, whole bar", 25, 0, 1, Range(0, 24), {}},
             {"score above 25, whole bar", 31, 0, 1, Range(0, 24), {}},
             {"3 to 5 adds two chips", 5, 3, 0, {3, 4}, {}},
             {"5 to 3 empties three places", 3, 5, 0, {}, {3, 4, 5}},
             {"any mode but 1 is incremental", 5, 3, 2, {3, 4}, {}},
             {"24 to 26 stays on the bar", 26, 24, 0, {24}, {}},
         }) {
        const std::vector<ScoreStep> steps =
            ScoreChipSteps(c.n, c.o, static_cast<ScoreDrawing>(c.m));
        EXPECT_EQ(Positions(steps, true), c.chips) << c.name;
        EXPECT_EQ(Positions(steps, false), c.empties) << c.name;
    }
    // Chips are drawn before empty places.
    const std::vector<ScoreStep> whole = ScoreChipSteps(2, 0, ScoreDrawing::Whole);
    EXPECT_EQ(whole.front(), (ScoreStep{0, true}));
    EXPECT_EQ(whole.back(), (ScoreStep{24, false}));
    EXPECT_NEAR(kScoreChipRadius, 0.8167, 1e-4);
    EXPECT_DOUBLE_EQ(ScoreChipX(0), 2);
    EXPECT_DOUBLE_EQ(ScoreChipX(24), 98);
}

std::string FakeText(int number) {
    std::string text = "<";
    text += std::to_string(number);
    return text + ">";
}

TEST(ScoreTextTest, NamesAndStores) {
    struct Case {
        bool computerGame;
        const char* top;
        const char* bottom;
        const char* topText;
        const char* bottomText;
    };
    for (const Case& c : std::vector<Case>{
             {true, "", "", "<44> : 12", "<43> : 7"},
             {true, "Bea", "Ann", "<44> : 12", "Ann : 7"},
             {false, "", "", "<46> : 12", "<45> : 7"},
             {false, "Bea", "Ann", "Bea : 12", "Ann : 7"},
         }) {
        game::GameRecord record;
        record.ComputerGame = c.computerGame;
        record.NameTopHalf = c.top;
        record.NameBottomHalf = c.bottom;
        record.Board[12] = 12;
        record.Board[13] = 7;
        EXPECT_EQ(ScoreText(0, record, FakeText), c.topText);
        EXPECT_EQ(ScoreText(1, record, FakeText), c.bottomText);
    }
}

TEST(ClockDigitsTest, SegmentMasks) {
    // Bits: 1 bottom, 2 lower left, 4 lower right, 8 middle, 16 upper left,
    // 32 upper right, 64 top.
    EXPECT_EQ(SegmentMask(7), 64 + 32 + 4);
    EXPECT_EQ(SegmentMask(1), 32 + 4);
    EXPECT_EQ(SegmentMask(8), 127);
    EXPECT_EQ(SegmentMask(6) & 64, 0);
    EXPECT_EQ(SegmentMask(9) & 1, 0);
    EXPECT_EQ(SegmentMask(0) & 8, 0);
    EXPECT_EQ(SegmentMask(-1), 0);
    EXPECT_EQ(SegmentMask(10), 0);
}

TEST(ClockDigitsTest, BevelledSegmentsShortenInwards) {
    const auto length = [](const SegmentLine& l) {
        return std::abs(l.x2 - l.x1) + std::abs(l.y2 - l.y1);
    };
    // Distance of a line's middle from the digit's centre (5, 10).
    const auto inwards = [](const SegmentLine& l) {
        return std::abs((l.x1 + l.x2) / 2 - 5) + std::abs((l.y1 + l.y2) / 2 - 10);
    };
    for (std::size_t s = 0; s < kSegmentLines.size(); ++s) {
        const auto& lines = kSegmentLines[s];
        const bool horizontal = lines[1].y1 == lines[1].y2;
        for (const SegmentLine& l : lines)
            EXPECT_EQ(horizontal, l.y1 == l.y2) << "segment " << s;
        // Half a unit apart.
        const double offset0 = horizontal ? lines[0].y1 - lines[1].y1 : lines[0].x1 - lines[1].x1;
        const double offset2 = horizontal ? lines[2].y1 - lines[1].y1 : lines[2].x1 - lines[1].x1;
        EXPECT_DOUBLE_EQ(offset0, -0.5) << "segment " << s;
        EXPECT_DOUBLE_EQ(offset2, 0.5) << "segment " << s;
        // The line towards the inside of the digit is the shortest; the middle
        // bar narrows both ways.
        if (s == 3) {
            EXPECT_LT(length(lines[0]), length(lines[1]));
            EXPECT_LT(length(lines[2]), length(lines[1]));
            continue;
        }
        std::size_t inner = 0;
        for (std::size_t i = 1; i < 3; ++i) {
            if (inwards(lines[i]) < inwards(lines[inner])) inner = i;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            if (i != inner) {
                EXPECT_LT(length(lines[inner]), length(lines[i])) << "segment " << s;
            }
        }
    }
}

TEST(ClockTimeTest, DigitsRewrittenWhenCountingDown) {
    struct Case {
        int seconds;
        bool full;
        std::vector<DigitUpdate> updates;
    };
    for (const Case& c : std::vector<Case>{
             {125, true, {{0, 5}, {1, 0}, {2, 2}, {3, 0}}},
             {119, false, {{0, 9}, {1, 5}, {2, 1}}},
             {118, false, {{0, 8}}},
             {129, false, {{0, 9}, {1, 0}}},
             {599, false, {{0, 9}, {1, 5}, {2, 9}, {3, 0}}},
             {5999, true, {{0, 9}, {1, 5}, {2, 9}, {3, 9}}},
             // 100 minutes and more show the last two digits of the minutes.
             {6125, true, {{0, 5}, {1, 0}, {2, 2}, {3, 0}}},
             {0, false, {{0, 0}}},
             {-7, true, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
         }) {
        EXPECT_EQ(ClockTimeUpdates(c.seconds, c.full), c.updates) << c.seconds;
    }
}

TEST(ClockFaceLayoutTest, DigitPlaces) {
    const double w = 250.0 * 14 / 25;
    const double lefts[4] = {500 + 1.6 * w, 500 + 0.5 * w, 500 - 1.4 * w, 500 - 2.5 * w};
    for (int k = 0; k < 4; ++k) {
        const FaceRect r = ClockDigitRect(k, 1000, 250);
        EXPECT_DOUBLE_EQ(r.left, lefts[k]) << k;
        EXPECT_DOUBLE_EQ(r.top, 0);
        EXPECT_DOUBLE_EQ(r.width, w);
        EXPECT_DOUBLE_EQ(r.height, 250);
    }
    // Minutes and seconds are side by side, with the colon's gap of 0.9 w
    // between them.
    EXPECT_DOUBLE_EQ(ClockDigitRect(3, 1000, 250).left + w + 0.1 * w,
                     ClockDigitRect(2, 1000, 250).left);
    EXPECT_NEAR(ClockDigitRect(1, 1000, 250).left - (ClockDigitRect(2, 1000, 250).left + w),
                0.9 * w, 1e-9);
}

TEST(TimeBarTest, ValueIsTheFractionOfTheLimitLeft) {
    EXPECT_FLOAT_EQ(TimeBarValue(600, 5), 120);
    EXPECT_FLOAT_EQ(TimeBarValue(300, 5), 60);
    EXPECT_FLOAT_EQ(TimeBarValue(10800, 90), 120);
    EXPECT_FLOAT_EQ(TimeBarValue(1, 90), 1.0f / 90);
    EXPECT_FLOAT_EQ(TimeBarValue(0, 5), 0);
    EXPECT_FLOAT_EQ(TimeBarValue(600, 0), 0);
    EXPECT_FLOAT_EQ(TimeBarValue(600, -5), 0);
}

int CountStrokes(const std::vector<TimeBarStep>& steps, TimeBarStroke stroke) {
    int n = 0;
    for (const TimeBarStep& s : steps)
        n += s.stroke == stroke;
    return n;
}

TEST(TimeBarTest, SegmentsEmptyFromTheLeft) {
    EXPECT_DOUBLE_EQ(TimeBarSegmentEnd(0), 5);
    EXPECT_DOUBLE_EQ(TimeBarSegmentEnd(10), 19);
    EXPECT_DOUBLE_EQ(TimeBarSegmentEnd(110), 159);

    const std::vector<TimeBarStep> full = TimeBarSteps(120, false, 0);
    EXPECT_EQ(full.front().stroke, TimeBarStroke::ClearBar);
    EXPECT_EQ(CountStrokes(full, TimeBarStroke::FilledBox), 12);
    EXPECT_EQ(full.size(), 13u);

    const std::vector<TimeBarStep> half = TimeBarSteps(60, false, 120);
    EXPECT_EQ(CountStrokes(half, TimeBarStroke::FilledBox), 6);
    EXPECT_EQ(CountStrokes(half, TimeBarStroke::Outline), 6);
    EXPECT_EQ(CountStrokes(half, TimeBarStroke::Progress), 0);
    for (const TimeBarStep& s : half) {
        // The full segments are the six at the right end (small x).
        if (s.stroke == TimeBarStroke::FilledBox) {
            EXPECT_LT(s.x1, TimeBarSegmentEnd(60));
        }
        if (s.stroke == TimeBarStroke::Outline) {
            EXPECT_GE(s.x1, TimeBarSegmentEnd(60));
        }
    }

    // The segment in progress shrinks towards its right end.
    const std::vector<TimeBarStep> partial = TimeBarSteps(62.5f, false, 120);
    ASSERT_EQ(CountStrokes(partial, TimeBarStroke::Progress), 1);
    for (const TimeBarStep& s : partial) {
        if (s.stroke == TimeBarStroke::Progress) {
            EXPECT_DOUBLE_EQ(s.x1, TimeBarSegmentEnd(60));
            EXPECT_DOUBLE_EQ(s.x2, TimeBarSegmentEnd(60) + 2.5);
        }
    }
}

TEST(TimeBarTest, IncrementalDrawingTouchesOnlyWhatChanged) {
    const double end = TimeBarSegmentEnd(110);
    EXPECT_EQ(TimeBarSteps(115, true, 120),
              (std::vector<TimeBarStep>{{TimeBarStroke::ClearedBox, end, end + 10},
                                        {TimeBarStroke::Outline, end, end + 10},
                                        {TimeBarStroke::Progress, end, end + 5}}));
    // Segments emptied at an earlier drawing keep their outline but are not
    // cleared again.
    const std::vector<TimeBarStep> later = TimeBarSteps(55, true, 58);
    EXPECT_EQ(CountStrokes(later, TimeBarStroke::ClearedBox), 1);
    EXPECT_EQ(CountStrokes(later, TimeBarStroke::Outline), 7);
    EXPECT_EQ(CountStrokes(later, TimeBarStroke::FilledBox), 0);
    EXPECT_EQ(CountStrokes(later, TimeBarStroke::ClearBar), 0);
}

}  // namespace
}  // namespace zeko::gui
