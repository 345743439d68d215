// The level information table's figures: findmove timed on one fixed position
// at rising levels until a level needs a tenth of a second, and the response
// time of every skill level extrapolated from that level.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "game/precision_timer.h"
#include "platform/engine_library.h"

namespace zeko::game {

// The level whose search first took kTimedSearchMs or more, and that time.
struct LevelTiming {
    int Level = 0;
    int32_t Milliseconds = 0;
};

inline constexpr int32_t kTimedSearchMs = 101;

// The table's texts, by number.
enum LevelInfoText : int {
    kTextLevelInfoCaption = 79,
    kTextRecalculate = 80,
    kTextLevelColumn = 81,
    kTextStrengthColumn = 82,
    kTextResponseColumn = 83,
    kTextVeryFast = 84,
};

// Times findmove at levels 1, 2, ... on the start position after pit 3 and
// pit 6, each search on a fresh copy of that position (the repetition
// trackers kept from level to level), until one takes kTimedSearchMs or more.
// The engine's deepest level ends the climb on a machine where none does.
LevelTiming MeasureLevels(platform::EngineLibrary& engine, PrecisionTimer& timer);

// The response time at level in units of 0.2 seconds, assuming five times as
// long per level: t x 5^(level - k + 1) / 1000, rounded, halves to even.
int64_t EstimatedUnits(const LevelTiming& timing, int level);

// The table's text for an estimate: "Very Fast", " < 1 Sec.", whole, even or
// five seconds, or whole minutes.
std::string ResponseTimeText(int64_t units, const std::function<std::string(int)>& text);

}  // namespace zeko::game
