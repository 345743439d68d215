// The colour schemes: three built-in tables of the 23 colour items, the 17
// colours the user may choose, and the filling of the current colour table
// that all drawing reads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zeko::settings {

// red + green * 256 + blue * 65536, as the settings store them.
using Colour = int32_t;

constexpr Colour Rgb(int red, int green, int blue) {
    return red + green * 256 + blue * 65536;
}

inline constexpr int kColourItemCount = 23;
inline constexpr int kCustomColourCount = 17;

using ColourTable = std::array<Colour, kColourItemCount>;
using CustomColours = std::array<Colour, kCustomColourCount>;

// The scheme numbers of the setting "ColorScheme" and of the options dialog.
inline constexpr int32_t kSchemeTable1 = 0;
inline constexpr int32_t kSchemeTable2 = 1;
inline constexpr int32_t kSchemeCustom = 2;
inline constexpr int32_t kSchemeMonochrome = 3;

// The colour items: 0-16 have names in the options dialog (texts 91-107);
// 17-20 are the welcome screen's and 21-22 the about box's.
enum ColourItem : int {
    kZekoBackground = 0,
    kFieldBackground = 1,
    kChips = 2,
    kChipsBackground = 3,
    kTimeBarForeground = 4,
    kTimeBarBackground = 5,
    kScoreText = 6,
    kClockForeground = 7,
    kClockBackground = 8,
    kBoardBackground = 9,
    kScoreBarsBackground = 10,
    kMoveIndicatorBackground = 11,
    kMoveIndicatorForeground = 12,
    kShadow = 13,
    kFlashBackground = 14,
    kNewPositionBackground = 15,
    kFieldLabels = 16,
    kWelcomeBackground = 17,
    kWelcomeFrameFill = 18,
    kWelcomeFrameAndGreeting = 19,
    kWelcomeCreditLine = 20,
    kAboutBackground = 21,
    kAboutText = 22,
};

// The built-in tables never change.
inline constexpr ColourTable kBuiltInTable1 = {
    Rgb(0, 0, 128),      // 0
    Rgb(0, 0, 0),        // 1
    Rgb(255, 255, 0),    // 2
    Rgb(0, 0, 0),        // 3
    Rgb(255, 0, 0),      // 4
    Rgb(0, 0, 0),        // 5
    Rgb(255, 255, 0),    // 6
    Rgb(255, 0, 0),      // 7
    Rgb(0, 0, 0),        // 8
    Rgb(255, 0, 0),      // 9
    Rgb(128, 128, 128),  // 10
    Rgb(0, 0, 255),      // 11
    Rgb(255, 255, 0),    // 12
    Rgb(0, 0, 0),        // 13
    Rgb(192, 0, 0),      // 14
    Rgb(0, 128, 0),      // 15
    Rgb(255, 255, 0),    // 16
    Rgb(0, 0, 128),      // 17
    Rgb(0, 0, 0),        // 18
    Rgb(255, 0, 0),      // 19
    Rgb(255, 255, 0),    // 20
    Rgb(96, 96, 204),    // 21
    Rgb(255, 204, 153),  // 22
};

inline constexpr ColourTable kBuiltInTable2 = {
    Rgb(0, 0, 128),      // 0
    Rgb(160, 96, 64),    // 1
    Rgb(0, 0, 128),      // 2
    Rgb(0, 0, 0),        // 3
    Rgb(255, 0, 0),      // 4
    Rgb(0, 0, 0),        // 5
    Rgb(192, 0, 0),      // 6
    Rgb(255, 0, 0),      // 7
    Rgb(0, 0, 0),        // 8
    Rgb(0, 0, 0),        // 9
    Rgb(128, 64, 0),     // 10
    Rgb(128, 64, 0),     // 11
    Rgb(0, 0, 128),      // 12
    Rgb(0, 0, 0),        // 13
    Rgb(192, 0, 0),      // 14
    Rgb(160, 96, 64),    // 15
    Rgb(160, 160, 128),  // 16
    Rgb(0, 0, 128),      // 17
    Rgb(0, 0, 0),        // 18
    Rgb(255, 0, 0),      // 19
    Rgb(255, 255, 0),    // 20
    Rgb(96, 96, 204),    // 21
    Rgb(255, 204, 153),  // 22
};

inline constexpr ColourTable kMonochromeTable = {
    Rgb(128, 128, 128),  // 0
    Rgb(0, 0, 0),        // 1
    Rgb(192, 192, 192),  // 2
    Rgb(0, 0, 0),        // 3
    Rgb(192, 192, 192),  // 4
    Rgb(0, 0, 0),        // 5
    Rgb(0, 0, 0),        // 6
    Rgb(192, 192, 192),  // 7
    Rgb(0, 0, 0),        // 8
    Rgb(192, 192, 192),  // 9
    Rgb(128, 128, 128),  // 10
    Rgb(128, 128, 128),  // 11
    Rgb(192, 192, 192),  // 12
    Rgb(0, 0, 0),        // 13
    Rgb(128, 128, 128),  // 14
    Rgb(128, 128, 128),  // 15
    Rgb(192, 192, 192),  // 16
    Rgb(0, 0, 0),        // 17
    Rgb(0, 0, 0),        // 18
    Rgb(192, 192, 192),  // 19
    Rgb(192, 192, 192),  // 20
    Rgb(192, 192, 192),  // 21
    Rgb(0, 0, 0),        // 22
};
// Built-in table 1's first 17 colours: the custom colours of a first run.
constexpr CustomColours DefaultCustomColours() {
    CustomColours custom{};
    for (std::size_t i = 0; i < custom.size(); ++i)
        custom[i] = kBuiltInTable1[i];
    return custom;
}

// The current colour table for `scheme`: 0 table 1, 1 table 2, 2 the custom
// colours for items 0-16 and table 1 for the rest, 3 monochrome; any other
// number (a stored value outside 0-3) table 2.
ColourTable FillColourTable(int32_t scheme, const CustomColours& custom);

}  // namespace zeko::settings
