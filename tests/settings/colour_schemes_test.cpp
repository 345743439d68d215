#include <gtest/gtest.h>

#include "settings/colour_schemes.h"

namespace zeko::settings {
namespace {

// A few items of each built-in table, one colour at a time.
struct Sample {
    int item;
    Colour table1;
    Colour table2;
    Colour monochrome;
};

const Sample kSamples[] = {
    {kZekoBackground, Rgb(0, 0, 128), Rgb(0, 0, 128), Rgb(128, 128, 128)},
    {kFieldBackground, Rgb(0, 0, 0), Rgb(160, 96, 64), Rgb(0, 0, 0)},
    {kChips, Rgb(255, 255, 0), Rgb(0, 0, 128), Rgb(192, 192, 192)},
    {kScoreText, Rgb(255, 255, 0), Rgb(192, 0, 0), Rgb(0, 0, 0)},
    {kBoardBackground, Rgb(255, 0, 0), Rgb(0, 0, 0), Rgb(192, 192, 192)},
    {kScoreBarsBackground, Rgb(128, 128, 128), Rgb(128, 64, 0), Rgb(128, 128, 128)},
    {kMoveIndicatorBackground, Rgb(0, 0, 255), Rgb(128, 64, 0), Rgb(128, 128, 128)},
    {kNewPositionBackground, Rgb(0, 128, 0), Rgb(160, 96, 64), Rgb(128, 128, 128)},
    {kFieldLabels, Rgb(255, 255, 0), Rgb(160, 160, 128), Rgb(192, 192, 192)},
    {kWelcomeBackground, Rgb(0, 0, 128), Rgb(0, 0, 128), Rgb(0, 0, 0)},
    {kAboutBackground, Rgb(96, 96, 204), Rgb(96, 96, 204), Rgb(192, 192, 192)},
    {kAboutText, Rgb(255, 204, 153), Rgb(255, 204, 153), Rgb(0, 0, 0)},
};

TEST(FillColourTable, EachSchemeNumberPicksItsTable) {
    const CustomColours custom = DefaultCustomColours();
    const struct {
        int32_t scheme;
        Colour Sample::*expected;
    } cases[] = {{0, &Sample::table1},
                 {1, &Sample::table2},
                 {3, &Sample::monochrome},
                 // A stored scheme outside 0-3 shows table 2.
                 {7, &Sample::table2},
                 {-1, &Sample::table2}};
    for (const auto& c : cases) {
        const ColourTable table = FillColourTable(c.scheme, custom);
        for (const Sample& sample : kSamples) {
            EXPECT_EQ(table[sample.item], sample.*c.expected)
                << "scheme " << c.scheme << " item " << sample.item;
        }
    }
}

TEST(FillColourTable, TheCustomSchemeTakesOnlyItems0To16FromTheCustomColours) {
    CustomColours custom{};
    for (int i = 0; i < kCustomColourCount; ++i)
        custom[i] = Rgb(i, 2 * i, 3 * i);
    const ColourTable table = FillColourTable(kSchemeCustom, custom);
    for (int i = 0; i < kCustomColourCount; ++i)
        EXPECT_EQ(table[i], custom[i]) << i;
    // The welcome screen and the about box keep table 1's colours.
    for (int i = kCustomColourCount; i < kColourItemCount; ++i) {
        EXPECT_EQ(table[i], FillColourTable(kSchemeTable1, custom)[i]) << i;
    }
}

TEST(FillColourTable, OnAFirstRunTheCustomSchemeLooksLikeTable1) {
    EXPECT_EQ(FillColourTable(kSchemeCustom, DefaultCustomColours()),
              FillColourTable(kSchemeTable1, CustomColours{}));
}

}  // namespace
}  // namespace zeko::settings
