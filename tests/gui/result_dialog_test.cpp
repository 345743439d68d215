// The result dialog as shown: its caption, names, stores and comment, its help
// key, where it opens, and the animation drawn tick by tick.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <random>

#include "gui/result_dialog.h"
#include "settings/text_table.h"
#include "test_support.h"

namespace zeko::gui {
namespace {

using namespace zeko::testing;

ResultData Win(int level, int top, int bottom) {
    ResultData data;
    data.Level = static_cast<int16_t>(level);
    data.TopStore = top;
    data.BottomStore = bottom;
    data.NameBottomHalf = "Ada";
    return data;
}

QString Label(const QDialog& dialog, const QString& name) {
    return dialog.findChild<QLabel*>(name)->text();
}

// A fixed random sequence and a clock the test sets.
struct TestClock {
    std::mt19937 generator{7};
    std::uniform_real_distribution<double> uniform{0.0, 1.0};
    double seconds = 0;

    ResultDialog::Environment Environment() {
        return {[this] { return uniform(generator); }, [this] { return seconds; }};
    }
};

struct ShownCase {
    int16_t language;
    int16_t finalState;
    QString caption;
    QString comment0;
    QString comment1;
};

TEST(ResultDialog, ShowsTheEndingTheSidesTheirStoresAndTheComment) {
    const ShownCase cases[] = {
        {settings::kEnglish, 1, "Zeko : End of Game", "You beat the Advanced level.",
         "Now try a higher level."},
        {settings::kDutch, 2, "Zeko : Herhaling van zetten",
         "U hebt het Gevorderd niveau verslagen.", "Tijd voor een hoger niveau."},
        {settings::kEnglish, 3, "Zeko : Excess of Time Used",
         "You really should try to think faster.", ""},
    };
    for (const ShownCase& c : cases) {
        LanguageScope scope(c.language);
        ResultDialog result(Win(4, 15, 25), static_cast<zeko::game::GameEnd>(c.finalState),
                            TestIcon());
        EXPECT_EQ(static_cast<int>(result.FinalState()), c.finalState);
        EXPECT_EQ(result.windowTitle(), c.caption);
        EXPECT_EQ(Label(result, "scoreLabel0"), "Computer");
        EXPECT_EQ(Label(result, "scoreLabel1"), "Ada");
        EXPECT_EQ(Label(result, "scoreLabel2"), " : ");
        EXPECT_EQ(Label(result, "scoreLabel4"), "15");
        EXPECT_EQ(Label(result, "scoreLabel5"), "25");
        EXPECT_TRUE(result.findChild<QLabel*>("scoreLabel5")->alignment() & Qt::AlignRight);
        EXPECT_EQ(Label(result, "comlabel0"), c.comment0) << c.finalState;
        EXPECT_EQ(Label(result, "comlabel1"), c.comment1) << c.finalState;
        EXPECT_EQ(result.findChild<QPushButton*>("okbutton")->text(), "OK");
        EXPECT_FALSE(result.findChild<QLabel*>("Image1")->pixmap().isNull());
        // The polygons celebrate the win over level 4.
        EXPECT_TRUE(result.BottomWon());
        EXPECT_EQ(result.Animation().Size(), (AnimationSize{3, 2, 3}));
    }
}

TEST(ResultDialog, F1OpensTheHelpTopicOfTheEnding) {
    const std::pair<int16_t, std::string> cases[] = {
        {1, "end.html"}, {2, "repetition.html"}, {3, "time.html"}};
    for (const auto& [finalState, topic] : cases) {
        RecordingHelp help;
        ResultDialog result(Win(1, 30, 10), static_cast<zeko::game::GameEnd>(finalState),
                            TestIcon());
        result.show();
        QTest::keyClick(&result, Qt::Key_F1);
        ASSERT_EQ(help.calls.size(), 1u) << finalState;
        EXPECT_EQ(help.calls[0].Kind, "topic");
        EXPECT_EQ(help.calls[0].Topic, topic);
    }
}

TEST(ResultDialog, OpensCentredOverItsParentAndAnimatesUntilOkClosesIt) {
    QWidget window;
    window.setGeometry(150, 120, 900, 640);
    window.show();
    ResultDialog result(Win(9, 10, 38), static_cast<zeko::game::GameEnd>(1), TestIcon(), &window);
    EXPECT_FALSE(result.AnimationRunning());
    result.show();
    EXPECT_TRUE(result.AnimationRunning());
    const QPoint offset = result.frameGeometry().center() - window.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);

    QTest::mouseClick(result.findChild<QPushButton*>("okbutton"), Qt::LeftButton);
    EXPECT_FALSE(result.isVisible());
    EXPECT_EQ(result.result(), QDialog::Accepted);
    EXPECT_FALSE(result.AnimationRunning());
}

TEST(ResultDialog, EachTickErasesTheOldestCopyAndDrawsTheNewOneInTheColourOfTheTime) {
    TestClock clock;
    // A loss: one triangle, one copy on show.
    ResultDialog result(Win(5, 30, 10), static_cast<zeko::game::GameEnd>(1), TestIcon(), nullptr,
                        clock.Environment());
    ASSERT_EQ(result.Animation().Size(), (AnimationSize{1, 3, 1}));
    result.show();
    QWidget& picture = *result.findChild<QWidget*>("Picture1");
    const QColor navy(0, 0, 128);   // colour 1, seconds 0-4
    const QColor green(0, 128, 0);  // colour 2, seconds 5-9

    EXPECT_EQ(CountPixels(Render(picture), Qt::black, picture.rect()),
              picture.width() * picture.height());
    result.AnimationStep();
    QImage image = Render(picture);
    EXPECT_GT(CountPixels(image, navy, picture.rect()), 20);

    clock.seconds = 5;
    result.AnimationStep();
    image = Render(picture);
    EXPECT_EQ(CountPixels(image, navy, picture.rect()), 0);
    EXPECT_GT(CountPixels(image, green, picture.rect()), 20);
    EXPECT_EQ(CountPixels(image, navy, picture.rect()) + CountPixels(image, green, picture.rect()) +
                  CountPixels(image, Qt::black, picture.rect()),
              picture.width() * picture.height());
}

TEST(ResultDialog, AWinOverGrandmasterKeepsFiveCopiesOfFivePolygonsInTheirColours) {
    TestClock clock;
    clock.seconds = 12;  // colours 3 to 7 for polygons 0 to 4
    ResultDialog result(Win(9, 0, 48), static_cast<zeko::game::GameEnd>(1), TestIcon(), nullptr,
                        clock.Environment());
    result.show();
    QWidget& picture = *result.findChild<QWidget*>("Picture1");
    for (int tick = 0; tick < 12; ++tick)
        result.AnimationStep();
    const QImage image = Render(picture);
    for (int colour = 3; colour <= 7; ++colour) {
        const settings::Colour rgb = StandardPaletteColour(colour);
        const QColor expected(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
        EXPECT_GT(CountPixels(image, expected, picture.rect()), 20) << colour;
    }
    EXPECT_EQ(CountPixels(image, QColor(0, 0, 128), picture.rect()), 0);  // colour 1 unused
}

}  // namespace
}  // namespace zeko::gui
