#include "gui/board/clock_geometry.h"

#include <algorithm>

namespace zeko::gui {

const std::array<std::array<SegmentLine, 3>, kSegmentCount> kSegmentLines = {{
    // bottom
    {{{0, -0.5, 10, -0.5}, {0.5, 0, 9.5, 0}, {1.5, 0.5, 8.5, 0.5}}},
    // lower left
    {{{-0.5, 0.5, -0.5, 9}, {0, 1, 0, 8.5}, {0.5, 1.5, 0.5, 8}}},
    // lower right
    {{{9.5, 1.5, 9.5, 8}, {10, 1, 10, 8.5}, {10.5, 0.5, 10.5, 9}}},
    // middle
    {{{1.5, 9.5, 8.5, 9.5}, {0.5, 10, 9.5, 10}, {1.5, 10.5, 8.5, 10.5}}},
    // upper left
    {{{-0.5, 11, -0.5, 19.5}, {0, 11.5, 0, 19}, {0.5, 12, 0.5, 18.5}}},
    // upper right
    {{{9.5, 12, 9.5, 18.5}, {10, 11.5, 10, 19}, {10.5, 11, 10.5, 19.5}}},
    // top
    {{{1.5, 19.5, 8.5, 19.5}, {0.5, 20, 9.5, 20}, {0, 20.5, 10, 20.5}}},
}};

std::vector<DigitUpdate> ClockTimeUpdates(int seconds, bool full) {
    const int s = seconds < 0 ? 0 : seconds;
    // The clock counts down, so a higher digit changes only when the ones
    // below it wrap.
    std::vector<DigitUpdate> updates{{0, s % 10}};
    if (!full && (s + 1) % 10 != 0) return updates;
    updates.push_back({1, s / 10 % 6});
    if (!full && (s + 1) % 60 != 0) return updates;
    updates.push_back({2, s / 60 % 10});
    if (!full && (s + 1) % 600 != 0) return updates;
    updates.push_back({3, s / 600 % 10});
    return updates;
}

double ClockDigitWidth(double faceWidth, double faceHeight) {
    // The four digits and the colon's gap span 5.1 digit widths: a narrow
    // face narrows the digits and keeps a margin of 0.2 digit widths each side.
    return std::min(faceHeight * 14 / 25, faceWidth / 5.5);
}

double ClockColonRadius(double faceWidth, double faceHeight) {
    return std::min(faceHeight / 12, ClockDigitWidth(faceWidth, faceHeight) / 4);
}

FaceRect ClockDigitRect(int digit, double faceWidth, double faceHeight) {
    static constexpr double kLeft[4] = {1.6, 0.5, -1.4, -2.5};
    // The digits span -2.5 w to 2.6 w about the middle; half the difference
    // to the left leaves the same margin on both sides and the colon in the
    // middle of its gap.
    static constexpr double kCentring = (1.6 + 1 - 2.5) / 2;
    const double w = ClockDigitWidth(faceWidth, faceHeight);
    const double factor = digit >= 0 && digit < 4 ? kLeft[digit] : 0;
    return {faceWidth / 2 + (factor - kCentring) * w, 0, w, faceHeight};
}

float TimeBarValue(int32_t halfSeconds, int levelMinutes) {
    if (levelMinutes < 1) return 0;
    return static_cast<float>(halfSeconds) * 120.0f / (static_cast<float>(levelMinutes) * 120.0f);
}

std::vector<TimeBarStep> TimeBarSteps(float v, bool incremental, float previous) {
    std::vector<TimeBarStep> steps;
    if (!incremental) steps.push_back({TimeBarStroke::ClearBar, kTimeBarLeft, 0});
    for (int t = 0; t <= 110; t += 10) {
        const double end = TimeBarSegmentEnd(t);
        if (t + 10 <= v) {
            // A segment that is full now was full at the previous drawing too.
            if (!incremental) steps.push_back({TimeBarStroke::FilledBox, end, end + 10});
            continue;
        }
        if (incremental && t < previous)
            steps.push_back({TimeBarStroke::ClearedBox, end, end + 10});
        steps.push_back({TimeBarStroke::Outline, end, end + 10});
        if (t < v) steps.push_back({TimeBarStroke::Progress, end, end + (v - t)});
    }
    return steps;
}

}  // namespace zeko::gui
