// The widgets and dialogs on rendered images and as shown in either language:
// pits with chips or printed counts, score bars and the time bar drawn whole
// and bit by bit, the clock face's digits and colon, the welcome screen, the
// about box, and what the result dialog says for every way a game can end.

#include "gui/board/board_style.h"
#include "gui/board/clock_face.h"
#include "gui/board/clock_geometry.h"
#include "gui/board/score_bar.h"
#include "gui/board/time_bar.h"
#include "gui/board/welcome_screen.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/result_dialog.h"
#include "platform/user_scale.h"
#include "tests/gui/window_driver.h"
#include "tests/support/image_probe.h"

namespace zeko::gui {
namespace {

using namespace settings;
using game::GameEnd;
using testing::InkBounds;

const ColourTable kTable = testing::DistinctTable();

QColor Item(int item) {
    return ItemColour(kTable, item);
}

// What a scale's point (x, y) shows, the pixel taken as the point truncates.
QColor At(const QImage& image, const platform::UserScale& scale, double x, double y) {
    return image.pixelColor(static_cast<int>(scale.X(x)), static_cast<int>(scale.Y(y)));
}

// A pit of 20 pixels per pit unit.
QImage Pit(int count, bool graphicChips, const ColourTable& table = kTable) {
    PitView pit;
    pit.resize(140, 140);
    pit.SetColourTable(table);
    pit.SetGraphicChips(graphicChips);
    pit.ShowCount(static_cast<int16_t>(count));
    return pit.grab().toImage();
}

TEST(PitView, ShowsStonesAsChipsOrAsAPrintedCount) {
    // Yellow chips on black, their white highlights left out.
    const auto chip = [](QColor c) { return c.red() > 100 && c.green() > 100 && c.blue() < 60; };
    for (const int count : {1, 2, 3, 7, 13, 42, 48})
        EXPECT_EQ(testing::CountShapes(Pit(count, true, kBuiltInTable1), chip), count);
    EXPECT_FALSE(InkBounds(Pit(48, false), [](QColor c) { return c == Item(kChips); }).isEmpty());
    // An empty pit shows nothing but its background.
    EXPECT_TRUE(
        InkBounds(Pit(0, true), [](QColor c) { return c != Item(kFieldBackground); }).isEmpty());
}

TEST(ScoreBar, DrawsOnlyThePositionsBetweenTheOldScoreAndTheNew) {
    ScoreBar bar;
    bar.resize(600, 30);
    bar.SetColourTable(kTable);
    // Positions 0-24, 24 pixels each: 'o' a chip, '.' an empty place.
    const auto shown = [&] {
        std::string positions;
        for (int k = 0; k < kScorePositions; ++k)
            positions += bar.Shown().pixelColor(24 * k + 12, 15) == Item(kChips) ? 'o' : '.';
        return positions;
    };
    bar.DrawScoreChips(7, 0, ScoreDrawing::Whole);
    bar.DrawScoreChips(3, 5, ScoreDrawing::Changes);
    EXPECT_EQ(shown(), "ooo...o..................");
    bar.DrawScoreChips(5, 3, ScoreDrawing::Changes);
    EXPECT_EQ(shown(), "ooooo.o..................");
    // Chips drawn and taken away leave the bar exactly as a whole paint shows it.
    bar.SetScoreSource([] { return 2; });
    bar.DrawScoreChips(2, 5, ScoreDrawing::Changes);
    bar.DrawScoreChips(0, 7, ScoreDrawing::Changes);
    bar.DrawScoreChips(2, 0, ScoreDrawing::Changes);
    const QImage drawn = bar.Shown();
    EXPECT_EQ(drawn, bar.grab().toImage().convertToFormat(drawn.format()));
    // A black line after every fifth position.
    for (int x = 0; x < bar.width(); ++x)
        EXPECT_EQ(drawn.pixelColor(x, 1) == Qt::black, x % 120 == 0 && x > 0) << x;
}

// "mm:ss" as the face shows it, each digit read from the middles of its segments.
std::string ReadTime(ClockFace& clock) {
    // The segments in bit order, and the digits 0-9 as they light them: the 6
    // has no top bar, the 9 no bottom bar.
    static constexpr double kMiddles[7][2] = {{5, 0},     {0, 4.75},   {10, 4.75}, {5, 10},
                                              {0, 15.25}, {10, 15.25}, {5, 20}};
    static constexpr int kDigits[10] = {0x77, 0x24, 0x6B, 0x6D, 0x3C, 0x5D, 0x1F, 0x64, 0x7F, 0x7C};
    const QImage face = clock.grab().toImage();
    std::string time;
    for (int k = 3; k >= 0; --k) {
        const QRect place = clock.Digit(k).geometry();
        const platform::UserScale digit(kDigitLeft, kDigitTop, kDigitRight, kDigitBottom,
                                        place.size());
        int lit = 0;
        for (int s = 0; s < kSegmentCount; ++s)
            lit |= (At(face.copy(place), digit, kMiddles[s][0], kMiddles[s][1]) ==
                    Item(kClockForeground))
                   << s;
        time += "0123456789?"[std::find(std::begin(kDigits), std::end(kDigits), lit) - kDigits];
        time += k == 2 ? ":" : "";
    }
    return time;
}

TEST(ClockFace, RewritesOnlyTheDigitsThatChangeAndBlinksItsColon) {
    ClockFace clock;
    clock.SetColourTable(kTable);
    clock.show();
    // Wide, narrow and very narrow faces (the last two those of windows of
    // 250 x 400 and 300 x 250): the digits read right.
    for (const QSize size :
         {QSize(250, 75), QSize(90, 75), QSize(40, 75), QSize(37, 26), QSize(45, 16)}) {
        clock.resize(size);
        clock.ShowClockTime(245, true);
        EXPECT_EQ(ReadTime(clock), "04:05") << size.width();
        EXPECT_EQ(clock.accessibleName(), "Time left 4:05");
    }
    clock.resize(250, 75);
    // Seconds, whether all digits are rewritten, and the time shown when every
    // digit showed 3 before.
    for (const auto& [seconds, full, shown] :
         std::vector<std::tuple<int, bool, std::string>>{{125, true, "02:05"},
                                                         {-5, true, "00:00"},
                                                         {119, false, "31:59"},
                                                         {129, false, "33:09"},
                                                         {118, false, "33:38"},
                                                         {599, false, "09:59"}}) {
        for (int k = 0; k < 4; ++k)
            clock.Digit(k).ShowValue(3);
        clock.ShowClockTime(seconds, full);
        EXPECT_EQ(ReadTime(clock), shown) << seconds;
    }
    // A hidden colon leaves nothing but the background.
    clock.DrawClockColon(true);
    clock.DrawClockColon(false);
    EXPECT_TRUE(
        InkBounds(clock.Shown(), [](QColor c) { return c != Item(kClockBackground); }).isEmpty());
    // A paint always shows the colon.
    clock.DrawClockColon(false);
    EXPECT_EQ(clock.grab().toImage().pixelColor(125, 25), Item(kClockForeground));
}

// The twelve segments from the bar's left edge to its right: 'F' full, 'o' an
// empty outline, 'p' partly full from the right, '?' anything else.
std::string Segments(const QImage& image) {
    const platform::UserScale bar(kTimeBarLeft, 0, 0, kTimeBarBottom, image.size());
    const auto fill = [&](double x, double y) {
        return At(image, bar, x, y) == Item(kTimeBarForeground);
    };
    std::string segments;
    for (int t = 110; t >= 0; t -= 10) {
        const double end = TimeBarSegmentEnd(t);
        const bool right = fill(end + 1, 5), left = fill(end + 9, 5);
        const bool outline = fill(end + 5, 2) && fill(end + 5, 8) && !fill(end + 5, 1) &&
                             !fill(end + 5, 9) && !fill(end - 2, 5);
        segments += !outline ? '?' : left ? (right ? 'F' : '?') : right ? 'p' : 'o';
    }
    return segments;
}

TEST(TimeBar, EmptiesFromTheLeftWholeOrOnlyWhereItChanged) {
    TimeBar bar;
    bar.resize(350, 40);
    bar.SetColourTable(kTable);
    // Half-seconds left of a limit of so many minutes; no limit leaves no time.
    for (const auto& [halfSeconds, minutes, shown] : std::vector<std::tuple<int, int, std::string>>{
             {600, 5, "FFFFFFFFFFFF"}, {300, 5, "ooooooFFFFFF"}, {600, 0, "oooooooooooo"}}) {
        bar.SetTimeBar(halfSeconds, minutes, TimeBarDrawing::Whole);
        EXPECT_EQ(Segments(bar.grab().toImage()), shown);
    }
    // The segment in progress shrinks towards its right end.
    bar.SetValue(62.5f, TimeBarDrawing::Whole);
    const platform::UserScale units(kTimeBarLeft, 0, 0, kTimeBarBottom, bar.size());
    EXPECT_EQ(At(bar.Shown(), units, TimeBarSegmentEnd(60) + 2, 5), Item(kTimeBarForeground));
    EXPECT_EQ(At(bar.Shown(), units, TimeBarSegmentEnd(60) + 3, 5), Item(kTimeBarBackground));
    bar.SetValue(120, TimeBarDrawing::Whole);
    for (const auto& [value, shown] :
         {std::pair{115.0f, "pFFFFFFFFFFF"}, {100.0f, "ooFFFFFFFFFF"}, {55.0f, "oooooopFFFFF"}}) {
        bar.SetValue(value, TimeBarDrawing::Changes);
        EXPECT_EQ(Segments(bar.Shown()), shown);
    }
    // A paint draws the whole bar from the value shown.
    EXPECT_EQ(Segments(bar.grab().toImage()), "oooooopFFFFF");
}

// A text that names its number, so that a table can tell which texts came.
std::string Numbered(int number) {
    return QStringLiteral("#%1").arg(number).toStdString();
}

TEST(WelcomeScreen, AsksOnceToBeDismissed) {
    QWidget window;
    auto* welcome = new WelcomeScreen(&window);
    window.show();
    // Until its owner hides it, more clicks and keys ask nothing more.
    QSignalSpy requests(welcome, &WelcomeScreen::DismissRequested);
    QTest::mouseClick(welcome, Qt::LeftButton);
    QTest::keyClick(welcome, Qt::Key_A);
    welcome->hide();
    welcome->show();
    QTest::keyClick(welcome, Qt::Key_Space);
    EXPECT_EQ(requests.count(), 2);
}

TEST(AboutBox, NamesTheProgramItsVersionAndTheMakerInItsOwnColours) {
    texts::SetCurrentLanguage(kDutch);
    AboutBox about(QIcon(), kBuiltInTable1);
    texts::SetCurrentLanguage(kEnglish);
    about.show();
    EXPECT_EQ(
        Shown(about),
        QStringLiteral("Over Zeko|Zeko|Versie %1.%2|Kiezel Games|©|Licentie: GPL-3.0-or-later|OK")
            .arg(ZEKO_VERSION_MAJOR)
            .arg(ZEKO_VERSION_MINOR));
    ExpectLaidOut(about);
    // The © stands just before the maker's name.
    const QWidget& maker = *about.findChild<QLabel*>("makerLabel");
    const QWidget& copyright = *about.findChild<QLabel*>("copyrightLabel");
    EXPECT_LT(copyright.x(), maker.x());
    EXPECT_NEAR(copyright.y(), maker.y(), maker.height());
    QTest::mouseClick(about.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(ResultAnimation, APolygonBouncesOffAnEdgeWithANewSpeedOfOneToFour) {
    // The previous coordinate and velocity, then the new ones; a draw of 0.5
    // gives a speed of 3.
    for (const auto& [previous, velocity, coordinate, after] : std::vector<std::array<int16_t, 4>>{
             {50, 5, 55, 5}, {1, -1, 0, -1}, {2, -5, 3, 3}, {99, 1, 100, 1}, {98, 5, 97, -3}}) {
        int16_t v = velocity;
        EXPECT_EQ(MoveAndBounce(previous, v, [] { return 0.5; }), coordinate) << previous;
        EXPECT_EQ(v, after) << previous;
    }
}

TEST(ResultTexts, TheCommentFollowsTheEndingTheStoresAndTheLevelAndTheNamesTheOpponent) {
    const auto beat = [](int level) {
        return Numbered(kTextYouBeatThe) + Numbered(kTextFirstLevel - 1 + level) +
               Numbered(kTextLevelSuffix);
    };
    const std::string none;
    // The ending, the top and bottom stores, the level, and the comment's lines.
    for (const auto& [end, top, bottom, level, line0, line1] :
         std::vector<std::tuple<GameEnd, int32_t, int32_t, int16_t, std::string, std::string>>{
             {GameEnd::TimeExceeded, 10, 30, 9, Numbered(kTextThinkFaster), none},
             {GameEnd::Repetition, 24, 24, 1, Numbered(kTextEqualTerms), none},
             {GameEnd::ByRules, 23, 24, 5, none, none},
             {GameEnd::ByRules, 25, 23, 1, Numbered(kTextNeverMind), Numbered(kTextLowestLevel)},
             {GameEnd::ByRules, 37, 11, 2, Numbered(kTextNeverMind), Numbered(kTextLowerLevel)},
             {GameEnd::Repetition, 36, 12, 9, Numbered(kTextNeverMind), none},
             {GameEnd::ByRules, 15, 25, 4, beat(4), Numbered(kTextHigherLevel)},
             {GameEnd::ByRules, 14, 25, 4, beat(4), Numbered(kTextTooEasy)},
             {GameEnd::Repetition, 16, 25, 9, Numbered(kTextTightWin), none},
             {GameEnd::ByRules, 15, 25, 9, Numbered(kTextRarelyLose), Numbered(kTextTooStrong)},
             {GameEnd::ByRules, 10, 38, 12, Numbered(kTextRarelyLose), Numbered(kTextTooStrong)}}) {
        const ResultData data{top, bottom, level, true, "", ""};
        EXPECT_EQ(ResultComment(end, data, Numbered), (std::array{line0, line1}))
            << top << ":" << bottom << " at " << level;
    }
    // Names left empty are given by who plays the top half.
    using Labels = std::array<std::string, 6>;
    EXPECT_EQ(ResultLabels(ResultData{7, 41, 1, true, "Bo", "Ada"}, Numbered),
              (Labels{Numbered(kTextComputerName), "Ada", " : ", " : ", "7", "41"}));
    EXPECT_EQ(ResultLabels(ResultData{7, 41, 1, false, "", ""}, Numbered),
              (Labels{Numbered(kTextSecondHumanName), Numbered(kTextFirstHumanName), " : ", " : ",
                      "7", "41"}));
}

TEST(ResultDialog, ShowsTheResultInTheCurrentLanguageAndAnimatesWhileShown) {
    // The language, the ending, and the caption and comment shown for a win
    // 25 to 15 over level 4; an empty second line takes no room.
    for (const auto& [language, end, caption, comment] :
         {std::tuple{kEnglish, GameEnd::ByRules, "Zeko : End of Game",
                     "You beat the Advanced level.|Now try a higher level."},
          {kDutch, GameEnd::Repetition, "Zeko : Herhaling van zetten",
           "U hebt het Gevorderd niveau verslagen.|Tijd voor een hoger niveau."},
          {kEnglish, GameEnd::TimeExceeded, "Zeko : Excess of Time Used",
           "You really should try to think faster."}}) {
        texts::SetCurrentLanguage(language);
        ResultDialog result(ResultData{15, 25, 4, true, "", "Ada"}, end, QIcon());
        result.show();
        EXPECT_EQ(Shown(result),
                  QStringLiteral("%1|OK|Computer|Ada| : | : |15|25|%2").arg(caption, comment));
        ExpectLaidOut(result);
        // More, larger polygons with longer trails the higher the level beaten.
        EXPECT_EQ(result.Animation().Size(), (AnimationSize{3, 2, 3}));
        QTest::mouseClick(result.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        EXPECT_EQ(result.result(), QDialog::Accepted);
    }
    const ResultDialog draw(ResultData{24, 24, 9, true, "", ""}, GameEnd::ByRules, QIcon());
    EXPECT_EQ(draw.Animation().Size(), (AnimationSize{1, 3, 1}));
}

}  // namespace
}  // namespace zeko::gui
