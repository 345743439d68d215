#include "game/level_timing.h"

#include <algorithm>
#include <array>

#include "engine/board.h"
#include "engine/repetition.h"
#include "engine/zeko32.h"

namespace zeko::game {

namespace {

// The two opening moves that give the timed position: one of each side.
constexpr int kFirstTimedMove = 3;
constexpr int kSecondTimedMove = 6;
constexpr int64_t kGrowthPerLevel = 5;
constexpr int64_t kMsScale = 1000;
// Further below the timed level than this, every estimate rounds to 0.
constexpr int kDeepestShrink = 12;

int64_t Power(int64_t base, int exponent) {
    int64_t p = 1;
    for (int i = 0; i < exponent; ++i)
        p *= base;
    return p;
}

// n / d rounded to the nearest whole number, halves to the even one; n >= 0, d > 0.
int64_t RoundHalfEven(int64_t n, int64_t d) {
    const int64_t q = n / d;
    const int64_t twice = 2 * (n % d);
    return twice > d || (twice == d && q % 2 != 0) ? q + 1 : q;
}

}  // namespace

LevelTiming MeasureLevels(platform::EngineLibrary& engine, PrecisionTimer& timer) {
    engine::Board board{};
    std::array<int32_t, engine::kTrackerPairSize> trackers{};  // kept between levels
    LevelTiming timing;
    do {
        ++timing.Level;
        for (int pit = 0; pit < engine::kPits; ++pit)
            board[static_cast<size_t>(pit)] = engine::kStartStones;
        engine.execmove(board.data(), kFirstTimedMove, trackers.data());
        engine.execmove(board.data(), kSecondTimedMove, trackers.data());
        timer.StartTimer();
        engine.findmove(board.data(), timing.Level);
        timer.StopTimer();
        timing.Milliseconds = timer.ElapsedTime();
    } while (timing.Milliseconds < kTimedSearchMs && timing.Level < ZEKO_MAX_LEVEL);
    return timing;
}

int64_t EstimatedUnits(const LevelTiming& timing, int level) {
    // t x 5^(level - k + 1) / 1000 in whole numbers, so that halves are exact:
    // 5^(level - k) scales the timed level's milliseconds to the level, and the
    // last factor 5 with the 1000 turns milliseconds into fifths of a second.
    const int exponent = level - timing.Level + 1;
    const int64_t t = std::max<int64_t>(timing.Milliseconds, 0);
    if (exponent < -kDeepestShrink) return 0;
    if (exponent >= 0) return RoundHalfEven(t * Power(kGrowthPerLevel, exponent), kMsScale);
    return RoundHalfEven(t, kMsScale * Power(kGrowthPerLevel, -exponent));
}

std::string ResponseTimeText(int64_t units, const std::function<std::string(int)>& text) {
    if (units <= 0) return text(kTextVeryFast);
    if (units < 5) return " < 1 Sec.";
    if (units < 50) return std::to_string((units + 2) / 5) + " Sec.";
    if (units < 150) return std::to_string((units + 5) / 10 * 2) + " Sec.";
    if (units < 605) return std::to_string((units + 12) / 25 * 5) + " Sec.";
    return std::to_string((units + 150) / 300) + " Min.";
}

}  // namespace zeko::game
