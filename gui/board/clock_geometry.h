// The clock displays without pixels: the seven-segment digits, which digits a
// new time rewrites, where the digits sit in the clock face, and the strokes of
// the time bar.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zeko::gui {

// Segment bits: 1 bottom, 2 lower left, 4 lower right, 8 middle, 16 upper
// left, 32 upper right, 64 top. The 6 has no top bar and the 9 no bottom bar.
inline constexpr std::array<uint8_t, 10> kSegmentTable = {0x77, 0x24, 0x6B, 0x6D, 0x3C,
                                                          0x5D, 0x1F, 0x64, 0x7F, 0x7C};
inline constexpr int kSegmentCount = 7;

// The lit segments of a digit; none for a value outside 0-9.
constexpr uint8_t SegmentMask(int digit) {
    return digit >= 0 && digit <= 9 ? kSegmentTable[static_cast<std::size_t>(digit)] : 0;
}

// A digit panel's own units: x -2 (left edge) to 12 (right edge), y 22 (top
// edge) to -2 (bottom edge), y upwards; the digit fills x 0..10, y 0..20.
inline constexpr double kDigitLeft = -2;
inline constexpr double kDigitTop = 22;
inline constexpr double kDigitRight = 12;
inline constexpr double kDigitBottom = -2;

struct SegmentLine {
    double X1;
    double Y1;
    double X2;
    double Y2;
};

// Each segment is three lines half a unit apart that shorten towards the
// inside of the digit, which makes a bevelled bar. Index s is bit 2^s.
extern const std::array<std::array<SegmentLine, 3>, kSegmentCount> kSegmentLines;

// Digit panels: 0 seconds units, 1 seconds tens, 2 minutes units, 3 minutes
// tens.
struct DigitUpdate {
    int Digit;
    int Value;
    bool operator==(const DigitUpdate&) const = default;
};

// The digits `ShowClockTime` rewrites for s seconds left, lowest first: all
// four when full, else those that change when counting down to s. A negative
// time shows as 0.
std::vector<DigitUpdate> ClockTimeUpdates(int seconds, bool full);

struct FaceRect {
    double Left;
    double Top;
    double Width;
    double Height;
};

// Digit k's place in a clock face of inner width W and height H (any unit):
// minutes tens, minutes units, the colon's gap, seconds tens, seconds units.
FaceRect ClockDigitRect(int digit, double faceWidth, double faceHeight);
double ClockDigitWidth(double faceWidth, double faceHeight);
// The colon's two dots stay inside the gap between the digits.
double ClockColonRadius(double faceWidth, double faceHeight);

// The time bar's own units: x 175 (left edge) to 0 (right edge), y 0 to 10.
inline constexpr double kTimeBarLeft = 175;
inline constexpr double kTimeBarBottom = 10;
inline constexpr double kTimeBarBoxTop = 2;
inline constexpr double kTimeBarBoxBottom = 8;

// The fraction of the level's time left, 120 at the start of a move and 0 at
// the end: c half-seconds of a limit of `levelMinutes` minutes. No limit (a
// level of 0 minutes or less) leaves no time.
float TimeBarValue(int32_t halfSeconds, int levelMinutes);

// The right end (in bar units, x growing leftwards) of segment t = 0, 10, ...
// 110; the segment covers the ten units from there on.
constexpr double TimeBarSegmentEnd(int t) {
    return t + 5 + 4 * (t / 10);
}

enum class TimeBarStroke {
    ClearBar,    // the whole bar in the background colour
    FilledBox,   // a full segment
    ClearedBox,  // a segment's box in the background colour
    Outline,     // a segment's box outline
    Progress,    // the part of the segment in progress still left
};

// A stroke over x from x1 to x2 (bar units) and y from 2 to 8; ClearBar covers
// the whole bar.
struct TimeBarStep {
    TimeBarStroke Stroke;
    double X1;
    double X2;
    bool operator==(const TimeBarStep&) const = default;
};

// The strokes `DrawTimeBar` makes for value v; `incremental` draws only what
// changes since the previously drawn value.
std::vector<TimeBarStep> TimeBarSteps(float v, bool incremental, float previous);

}  // namespace zeko::gui
