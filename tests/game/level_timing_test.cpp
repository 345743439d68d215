// The level information table's figures: the climb through the levels until
// one search needs a tenth of a second, timed here by a scripted counter so
// that the figures are known, and the text for each range of the estimate.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/level_timing.h"
#include "game/skill_level.h"

namespace zeko::game {
namespace {

std::string English(int number) {
    return number == kTextVeryFast ? "Very Fast" : std::to_string(number);
}

// A millisecond counter that makes search n take durations[n] milliseconds,
// starting just before the counter wraps.
struct ScriptedCounter {
    explicit ScriptedCounter(const std::vector<uint32_t>& durations) {
        uint32_t now = UINT32_MAX - 100;
        for (uint32_t d : durations) {
            readings.push_back(now);
            readings.push_back(now += d);
            now += 7;  // the board set up between two searches
        }
    }
    uint32_t operator()() { return readings.at(next++); }
    std::vector<uint32_t> readings;
    size_t next = 0;
};

TEST(LevelTiming, ClimbsToTheFirstLevelThatNeedsATenthOfASecondAndExtrapolatesFromIt) {
    // 150 ms at level 4, the searches below it faster.
    ScriptedCounter counter({3, 20, 100, 150, 900});
    PrecisionTimer timer([&counter] { return counter(); });
    platform::EngineLibrary engine;
    const LevelTiming timing = MeasureLevels(engine, timer);
    EXPECT_EQ(timing.Level, 4);
    EXPECT_EQ(timing.Milliseconds, 150);
    EXPECT_EQ(counter.next, 8u) << "level 5 is never searched";
    const std::vector<std::string> expected = {
        "Very Fast", "Very Fast", "Very Fast", " < 1 Sec.", " < 1 Sec.",
        "4 Sec.",    "18 Sec.",   "95 Sec.",   "8 Min.",
    };
    for (int level = 1; level <= kLevelCount; ++level)
        EXPECT_EQ(ResponseTimeText(EstimatedUnits(timing, level), English), expected[level - 1])
            << level;
}

TEST(LevelTiming, EstimatesRoundHalvesToEven) {
    // t x 5^(i - k + 1) / 1000 units of 0.2 s.
    struct Case {
        LevelTiming timing;
        int level;
        int64_t units;
    };
    for (const Case& c : {Case{{5, 2500}, 4, 2}, Case{{5, 1500}, 4, 2}, Case{{5, 500}, 4, 0},
                          Case{{5, 700}, 4, 1}, Case{{2, 101}, 9, 39453}, Case{{20, 150}, 1, 0},
                          Case{{4, 300}, 3, 0}, Case{{4, 300}, 5, 8}})
        EXPECT_EQ(EstimatedUnits(c.timing, c.level), c.units)
            << c.timing.Level << " " << c.timing.Milliseconds << " " << c.level;
}

TEST(LevelTiming, WritesEachRangeOfTheEstimate) {
    const std::vector<std::pair<int64_t, std::string>> cases = {
        {0, "Very Fast"}, {1, " < 1 Sec."}, {4, " < 1 Sec."},    {5, "1 Sec."},
        {7, "1 Sec."},    {8, "2 Sec."},    {49, "10 Sec."},     {50, "10 Sec."},
        {54, "10 Sec."},  {55, "12 Sec."},  {149, "30 Sec."},    {150, "30 Sec."},
        {162, "30 Sec."}, {163, "35 Sec."}, {604, "120 Sec."},   {605, "2 Min."},
        {749, "2 Min."},  {750, "3 Min."},  {39453, "132 Min."},
    };
    for (const auto& [units, text] : cases)
        EXPECT_EQ(ResponseTimeText(units, English), text) << units;
}

}  // namespace
}  // namespace zeko::game
