// Score bars on rendered images, whole and incremental, and the score texts.
#include <gtest/gtest.h>

#include <QLabel>
#include <string>
#include <vector>

#include "gui/score_bar.h"
#include "tests/support/image_probe.h"

namespace zeko::gui {
namespace {

// 6 pixels per bar unit across, 3 down: position k is centred on pixel
// (24 k + 12, 15).
constexpr int kWidth = 600;
constexpr int kHeight = 30;

const QColor kChip(255, 255, 0);          // item 2 of the first scheme
const QColor kEmpty(0, 0, 0);             // item 3
const QColor kBackground(128, 128, 128);  // item 10

QColor PositionColour(const QImage& image, int k) {
    return image.pixelColor(24 * k + 12, 15);
}

// Positions 0-24 as a string: 'o' chip, '.' empty place, '?' anything else.
std::string Positions(const QImage& image) {
    std::string s;
    for (int k = 0; k < 25; ++k) {
        const QColor c = PositionColour(image, k);
        s += c == kChip ? 'o' : c == kEmpty ? '.' : '?';
    }
    return s;
}

std::string Expect(int chipsFrom, int chipsTo) {
    std::string s(25, '.');
    for (int k = chipsFrom; k < chipsTo && k < 25; ++k)
        s[static_cast<std::size_t>(k)] = 'o';
    return s;
}

bool White(QColor c) {
    return c.red() > 200 && c.green() > 200 && c.blue() > 160;
}

TEST(ScoreBarTest, WholeBarShowsTheScoreFromTheLeft) {
    for (const int score : {0, 1, 7, 24, 25, 30}) {
        ScoreBar bar;
        bar.resize(kWidth, kHeight);
        bar.SetScoreSource([score] { return score; });
        const QImage image = bar.grab().toImage();
        EXPECT_EQ(Positions(image), Expect(0, score)) << "score " << score;
    }
}

TEST(ScoreBarTest, ChipsCarryTheHighlightEmptyPlacesDoNot) {
    // Twice the size: position k is centred on pixel (48 k + 24, 30).
    ScoreBar bar;
    bar.resize(2 * kWidth, 2 * kHeight);
    bar.SetScoreSource([] { return 4; });
    const QImage image = bar.grab().toImage();
    for (int k = 0; k < 25; ++k) {
        const QPoint centre(48 * k + 24, 30);
        bool upperLeft = false;
        bool elsewhere = false;
        for (int dy = -10; dy <= 10; ++dy) {
            for (int dx = -10; dx <= 10; ++dx) {
                if (!White(image.pixelColor(centre + QPoint(dx, dy)))) continue;
                (dx < 0 && dy < 0 ? upperLeft : elsewhere) = true;
            }
        }
        EXPECT_EQ(upperLeft, k < 4) << "position " << k;
        EXPECT_FALSE(elsewhere) << "position " << k;
    }
}

TEST(ScoreBarTest, BlackLinesAfterEveryFifthPosition) {
    ScoreBar bar;
    bar.resize(kWidth, kHeight);
    const QImage image = bar.grab().toImage();
    for (int j = 1; j <= 4; ++j) {
        EXPECT_EQ(image.pixelColor(120 * j, 1), QColor(0, 0, 0)) << j;
        EXPECT_EQ(image.pixelColor(120 * j, kHeight - 1), QColor(0, 0, 0)) << j;
    }
    EXPECT_EQ(image.pixelColor(60, 1), kBackground);
    EXPECT_EQ(image.pixelColor(24 * 3 + 2, 15), kBackground);
}

TEST(ScoreBarTest, IncrementalDrawingTouchesOnlyThePositionsBetween) {
    int score = 0;
    ScoreBar bar;
    bar.resize(kWidth, kHeight);
    bar.SetScoreSource([&score] { return score; });
    ASSERT_TRUE(testing::ShowExposed(bar));

    // From 3 to 5 on a bar painted for 0: chips at 3 and 4 only.
    bar.DrawScoreChips(5, 3, ScoreDrawing::Changes);
    EXPECT_EQ(Positions(bar.Shown()), "...oo....................");

    // From 5 to 3 on a bar drawn for 7: places 3, 4 and 5 emptied, 6 kept.
    bar.DrawScoreChips(7, 0, ScoreDrawing::Whole);
    EXPECT_EQ(Positions(bar.Shown()), Expect(0, 7));
    bar.DrawScoreChips(3, 5, ScoreDrawing::Changes);
    EXPECT_EQ(Positions(bar.Shown()), "ooo...o..................");

    // A paint draws the whole bar anew from the score.
    score = 3;
    bar.repaint();
    EXPECT_EQ(Positions(bar.Shown()), Expect(0, 3));
    EXPECT_EQ(Positions(bar.grab().toImage()), Expect(0, 3));
}

TEST(ScoreBarTest, ColoursFromTheTable) {
    const settings::ColourTable table = testing::DistinctTable();
    ScoreBar bar;
    bar.resize(kWidth, kHeight);
    bar.SetColourTable(table);
    bar.SetScoreSource([] { return 2; });
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(PositionColour(image, 1), testing::Item(table, 2));
    EXPECT_EQ(PositionColour(image, 2), testing::Item(table, 3));
    EXPECT_EQ(image.pixelColor(24 * 3 + 2, 15), testing::Item(table, 10));
}

std::string FakeText(int number) {
    std::string text = "<";
    text += std::to_string(number);
    return text + ">";
}

TEST(ShowScoreTextTest, RewritesTheLabelsAsked) {
    game::GameRecord record;
    record.ComputerGame = false;
    record.NameTopHalf = "<b>Bea</b>";
    record.NameBottomHalf = "";
    record.Board[12] = 9;
    record.Board[13] = 14;
    struct Case {
        int which;
        const char* top;
        const char* bottom;
    };
    for (const Case c : {Case{1, "<b>Bea</b> : 9", "-"}, Case{0, "-", "<45> : 14"},
                         Case{2, "<b>Bea</b> : 9", "<45> : 14"}, Case{3, "-", "-"}}) {
        QLabel top(QStringLiteral("-"));
        QLabel bottom(QStringLiteral("-"));
        ShowScoreText(static_cast<ScoreTexts>(c.which), record, FakeText, {&top, &bottom});
        EXPECT_EQ(top.text().toStdString(), c.top) << c.which;
        EXPECT_EQ(bottom.text().toStdString(), c.bottom) << c.which;
        // A name is never taken for markup.
        if (c.which != 0 && c.which != 3) {
            EXPECT_EQ(top.textFormat(), Qt::PlainText);
        }
    }
    // The label takes the width of its new text, so that it can be centred.
    QLabel top;
    QLabel bottom;
    record.NameTopHalf = "A much longer name than before";
    ShowScoreText(ScoreTexts::Both, record, FakeText, {&top, &bottom});
    EXPECT_GT(top.width(), bottom.width());
}

}  // namespace
}  // namespace zeko::gui
