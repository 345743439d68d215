// Where the board's parts lie: the elements of the main window in window
// units, the background layer's boxes, and the chips or printed count of one
// pit in the pit's own 7 by 7 units. Plain numbers, so that they can be checked
// without drawing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/colour_schemes.h"
#include "settings/view_options.h"

namespace zeko::gui {

// The main window's client area in window units, y downwards.
inline constexpr double kWindowLeft = 15;
inline constexpr double kWindowTop = -2;
inline constexpr double kWindowRight = 82;
inline constexpr double kWindowBottom = 40;

// A pit panel's own units.
inline constexpr double kPitUnits = 7;
// A pit panel's side in window units.
inline constexpr double kPitSize = 9.5;

struct UnitRect {
    double Left;
    double Top;
    double Width;
    double Height;
};

struct UnitPoint {
    double X;
    double Y;
};

// Pits 0-5 run left to right along the bottom row, 6-11 right to left along
// the top row, so that play runs counter-clockwise.
UnitRect PitRect(int pit);
// The top-left corner of a pit's letter label; labels keep their own size.
UnitPoint PitLabelPosition(int pit);
// "A" to "F" for the bottom row, "a" to "f" for the top row (pit 6 "a").
std::string PitLetter(int pit);

// The score bars: 0 the top half's, 1 the bottom half's.
UnitRect ScoreBarRect(int bar);
// The score texts are centred on x = 49 at these top edges.
inline constexpr double kScoreLabelCentreX = 49;
double ScoreLabelTop(int label);

// Both sit one unit below the window's top edge.
inline constexpr UnitRect kClockBackRect{43.7, kWindowTop + 1, 10, 3};
inline constexpr UnitRect kTimeBarRect{33.625, kWindowTop + 1, 30, 2};

// One filled and outlined box of the window's background layer, between two
// corners, in a colour item of the current table.
struct BackingBox {
    double X1;
    double Y1;
    double X2;
    double Y2;
    int ColourItem;
};

// The board backing, under the twelve pits.
inline constexpr BackingBox kBoardBacking{18.5, 9.5, 79, 30, settings::kBoardBackground};

// The boxes in painting order: the board's shadow, the board backing, the
// score bars' shadows, as far as the view options call for them.
std::vector<BackingBox> BoardBackingBoxes(const settings::ViewOptions& view);

// Graphic chips: rows of chips one unit apart, centred on (3.5, 3.25).
int ChipRows(int count);
// Chips per row from the top; empty for a count below 1.
std::vector<int> ChipRowCounts(int count);
// Every chip's centre, row by row from the top, left to right.
std::vector<UnitPoint> PitChipCentres(int count);
// 0.49 window units in the pit's horizontal units.
inline constexpr double kPitChipRadius = 0.49 * kPitUnits / kPitSize;

// A printed count: the text and its top-left corner in pit units.
struct PrintedCount {
    std::string Text;
    double X;
    double Y;
};

// Nothing for an empty pit (or a count below 0).
std::optional<PrintedCount> PitCountText(int count);

}  // namespace zeko::gui
