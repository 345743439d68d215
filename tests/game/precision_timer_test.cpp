// The millisecond stopwatch that times the engine: elapsed time across the
// counter's wraps and its two numbered errors.
#include "game/precision_timer.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/numbered_error.h"

namespace zeko::game {
namespace {

using platform::NumberedError;

struct Stopwatch {
    uint32_t counter = 0;
    PrecisionTimer timer{[this] { return counter; }};
};

struct Span {
    uint32_t start;
    uint32_t stop;
    int32_t elapsed;
};

class ElapsedAcrossWraps : public ::testing::TestWithParam<Span> {};

TEST_P(ElapsedAcrossWraps, IsTheTrueElapsedTime) {
    Stopwatch watch;
    watch.counter = GetParam().start;
    watch.timer.StartTimer();
    EXPECT_TRUE(watch.timer.Running());
    watch.counter = GetParam().stop;
    watch.timer.StopTimer();
    EXPECT_FALSE(watch.timer.Running());
    EXPECT_EQ(watch.timer.ElapsedTime(), GetParam().elapsed);
}

INSTANTIATE_TEST_SUITE_P(
    Counter, ElapsedAcrossWraps,
    ::testing::Values(Span{1000, 1000, 0}, Span{1000, 1003, 3}, Span{0, 86'400'000, 86'400'000},
                      // Past 2^31 the counter reads negative as a signed value.
                      Span{0x7FFFFFF0u, 0x80000010u, 32}, Span{0x7FFFFFFFu, 0x80000000u, 1},
                      // Past 2^32 it starts again from 0 (after 49.7 days).
                      Span{0xFFFFFFF0u, 0x00000010u, 32}, Span{0xFFFFFFFFu, 0u, 1},
                      Span{0xFFFF0000u, 0x0000FFFFu, 0x1FFFF}));

TEST(PrecisionTimer, SecondStartRaisesAlreadyStartedAndKeepsTheFirstReading) {
    Stopwatch watch;
    watch.counter = 500;
    watch.timer.StartTimer();
    watch.counter = 700;
    try {
        watch.timer.StartTimer();
        FAIL() << "a second start was accepted";
    } catch (const NumberedError& error) {
        EXPECT_EQ(error.number(), 0x80BB1B64u);
        EXPECT_EQ(error.number(), platform::kObjectErrorBase + 12000100u);
        EXPECT_EQ(error.source(), "PrecisionTimer");
        EXPECT_EQ(error.description(), "Timer already started");
    }
    EXPECT_TRUE(watch.timer.Running());
    watch.counter = 900;
    watch.timer.StopTimer();
    EXPECT_EQ(watch.timer.ElapsedTime(), 400);
}

TEST(PrecisionTimer, StopWithoutStartRaisesNotStartedAndKeepsTheLastMeasurement) {
    Stopwatch watch;
    try {
        watch.timer.StopTimer();
        FAIL() << "a stop without start was accepted";
    } catch (const NumberedError& error) {
        EXPECT_EQ(error.number(), 0x80BB1B65u);
        EXPECT_EQ(error.number(), platform::kObjectErrorBase + 12000101u);
        EXPECT_EQ(error.source(), "PrecisionTimer");
        EXPECT_EQ(error.description(), "Timer not started yet");
    }
    EXPECT_FALSE(watch.timer.Running());
    EXPECT_EQ(watch.timer.ElapsedTime(), 0);

    watch.counter = 10;
    watch.timer.StartTimer();
    watch.counter = 35;
    watch.timer.StopTimer();
    watch.counter = 90;
    EXPECT_THROW(watch.timer.StopTimer(), NumberedError);
    EXPECT_FALSE(watch.timer.Running());
    EXPECT_EQ(watch.timer.ElapsedTime(), 25);
}

TEST(PrecisionTimer, ElapsedTimeStaysUntilTheNextStop) {
    Stopwatch watch;
    watch.counter = 100;
    watch.timer.StartTimer();
    watch.counter = 150;
    watch.timer.StopTimer();
    watch.counter = 1000;
    watch.timer.StartTimer();
    EXPECT_EQ(watch.timer.ElapsedTime(), 50);
    watch.counter = 1007;
    watch.timer.StopTimer();
    EXPECT_EQ(watch.timer.ElapsedTime(), 7);
}

TEST(PrecisionTimer, OnTheSystemCounterAnImmediateStopMeasuresAlmostNothing) {
    PrecisionTimer timer;
    timer.StartTimer();
    timer.StopTimer();
    EXPECT_GE(timer.ElapsedTime(), 0);
    EXPECT_LT(timer.ElapsedTime(), 1000);
}

}  // namespace
}  // namespace zeko::game
