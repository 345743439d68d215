// The welcome screen as rendered: the greeting centred in either language, the
// frames and the credit line in the colour table's items 17-20, and the one
// request to dismiss it per showing.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <memory>

#include "gui/board_style.h"
#include "gui/welcome_screen.h"
#include "settings/text_table.h"
#include "test_support.h"

namespace zeko::gui {
namespace {

using namespace zeko::testing;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

int X(double units) {
    return static_cast<int>(units * kWidth / 100);
}
int Y(double units) {
    return static_cast<int>(units * kHeight / 100);
}

class WelcomeTest : public ::testing::Test {
  protected:
    WelcomeTest() : window_(std::make_unique<QWidget>()) {
        window_->resize(kWidth, kHeight);
        welcome_ = new WelcomeScreen(window_.get());
        welcome_->setGeometry(0, 0, kWidth, kHeight);
        window_->show();
    }

    std::unique_ptr<QWidget> window_;
    WelcomeScreen* welcome_;
};

bool IsGreeting(QColor c) {
    return c.red() > 128 && c.green() < 96 && c.blue() < 96;  // red on black
}

TEST_F(WelcomeTest, GreetingLinesAreCentredAndHangFromTheirTopsInEitherLanguage) {
    const QFontMetricsF metrics(SansSerif(20, true), welcome_);
    std::array<std::array<int, 3>, 2> widths{};
    for (int16_t language : {settings::kEnglish, settings::kDutch}) {
        LanguageScope scope(language);
        const QImage image = Render(*welcome_);
        for (int k = 0; k < 3; ++k) {
            const int top = Y(15.0 * (k + 1));
            // Inside the inner frame, one line's height down from its top.
            const QRect band(X(22) + 4, top, X(78) - X(22) - 8, static_cast<int>(metrics.height()));
            const auto text = Extent(image, band, IsGreeting);
            ASSERT_TRUE(text.has_value()) << "language " << language << " line " << k;
            const double centre = (text->left() + text->right() + 1) / 2.0;
            EXPECT_NEAR(centre, X(50), 3) << "language " << language << " line " << k;
            EXPECT_GE(text->top(), top);
            EXPECT_LE(text->top(), top + metrics.ascent());
            widths[language == settings::kEnglish][static_cast<std::size_t>(k)] = text->width();
        }
    }
    EXPECT_NE(widths[0], widths[1]);  // each language's own lines were drawn
}

TEST_F(WelcomeTest, PaintsBackgroundFramesAndCreditInTheirColourItems) {
    using settings::kBuiltInTable1;
    using settings::kMonochromeTable;
    // Table 1 and the monochrome table differ in every one of items 17-20
    // but the frame fill, which is black in both.
    for (const settings::ColourTable& table : {kBuiltInTable1, kMonochromeTable}) {
        welcome_->SetColours(table);
        const QImage image = Render(*welcome_);
        const QColor background = ItemColour(table, 17);
        const QColor fill = ItemColour(table, 18);
        const QColor lines = ItemColour(table, 19);
        const QColor credit = ItemColour(table, 20);
        EXPECT_EQ(image.pixelColor(X(5), Y(5)), background);
        EXPECT_EQ(image.pixelColor(X(95), Y(95)), background);
        EXPECT_EQ(image.pixelColor(X(50), Y(9)), background);  // above the frame
        // Both frames' lines across the middle, the fill between and inside.
        EXPECT_EQ(image.pixelColor(X(20), Y(40)), lines);
        EXPECT_EQ(image.pixelColor(X(21), Y(40)), fill);
        EXPECT_EQ(image.pixelColor(X(22), Y(40)), lines);
        EXPECT_EQ(image.pixelColor(X(80), Y(40)), lines);
        EXPECT_EQ(image.pixelColor(X(50), Y(63)), lines);
        EXPECT_EQ(image.pixelColor(X(50), Y(58)), fill);
        // The ring around (24, 85.5) with its letter, and the maker's name after
        // it; nothing else is drawn in the credit colour.
        EXPECT_GT(CountPixels(image, credit, QRect(X(22), Y(83), X(4), Y(5))), 10);
        EXPECT_GT(CountPixels(image, credit, QRect(X(28), Y(82), X(30), Y(10))), 50);
        if (credit != lines) {
            EXPECT_EQ(CountPixels(image, credit, QRect(0, 0, kWidth, Y(80))), 0);
        }
    }
}

TEST_F(WelcomeTest, AClickOrAKeyAsksOnceForTheDismissalEachTimeItIsShown) {
    QSignalSpy requests(welcome_, &WelcomeScreen::DismissRequested);
    QTest::keyClick(welcome_, Qt::Key_Shift);  // a modifier alone is no key
    QTest::keyClick(welcome_, Qt::Key_Alt);
    EXPECT_EQ(requests.count(), 0);
    QTest::mouseClick(welcome_, Qt::LeftButton);
    EXPECT_EQ(requests.count(), 1);
    // Until the owner has hidden it, more clicks and keys ask nothing more.
    QTest::mouseDClick(welcome_, Qt::LeftButton);
    QTest::keyClick(welcome_, Qt::Key_A);
    QTest::keyClick(welcome_, Qt::Key_Return);
    EXPECT_EQ(requests.count(), 1);

    welcome_->hide();
    welcome_->show();
    // A press that ends outside the panel is no click.
    QTest::mousePress(welcome_, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(welcome_, Qt::LeftButton, {}, QPoint(-20, 10));
    EXPECT_EQ(requests.count(), 1);
    QTest::keyClick(welcome_, Qt::Key_Space);
    EXPECT_EQ(requests.count(), 2);

    welcome_->hide();
    welcome_->show();
    QTest::mouseClick(welcome_, Qt::RightButton, {}, QPoint(kWidth - 5, kHeight - 5));
    EXPECT_EQ(requests.count(), 3);
}

}  // namespace
}  // namespace zeko::gui
