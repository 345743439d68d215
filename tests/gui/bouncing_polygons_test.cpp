// The result dialog's animation: its size per outcome and level, the bounces,
// the colours of the time of day, and the trail each polygon leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "gui/bouncing_polygons.h"

namespace zeko::gui {
namespace {

struct SizeCase {
    bool bottomWon;
    int level;
    AnimationSize size;
};

const SizeCase kSizeCases[] = {
    {true, 1, {2, 2, 3}}, {true, 2, {2, 3, 4}},  {true, 3, {2, 4, 5}},  {true, 4, {3, 2, 3}},
    {true, 5, {3, 3, 3}}, {true, 6, {3, 4, 3}},  {true, 7, {5, 2, 5}},  {true, 8, {5, 3, 5}},
    {true, 9, {5, 4, 5}}, {false, 1, {1, 3, 1}}, {false, 5, {1, 3, 1}}, {false, 9, {1, 3, 1}},
    {true, 0, {2, 2, 3}}, {true, 10, {5, 4, 5}},
};

TEST(AnimationSize, GrowsWithTheLevelTheBottomHalfBeat) {
    for (const SizeCase& c : kSizeCases) {
        EXPECT_EQ(AnimationSizeFor(c.bottomWon, c.level), c.size)
            << "won " << c.bottomWon << " level " << c.level;
    }
}

// Hands out the given numbers in turn.
Random Sequence(std::vector<double> values) {
    auto next = std::make_shared<std::size_t>(0);
    return [values = std::move(values), next] { return values[(*next)++ % values.size()]; };
}

struct BounceCase {
    int16_t previous;
    int16_t velocity;
    double rnd;  // picks the new speed
    int16_t coordinate;
    int16_t newVelocity;
};

const BounceCase kBounceCases[] = {
    {50, 3, 0.9, 53, 3},    // inside: no bounce, the random number unused
    {97, 3, 0.9, 100, 3},   // the edge itself is inside
    {1, -1, 0.9, 0, -1},    // and so is 0
    {98, 5, 0.0, 97, -1},   // 103 becomes 97, speed 1, now upwards
    {98, 5, 0.99, 97, -4},  // speed 4
    {100, 6, 0.5, 94, -3},  // 106 becomes 94
    {2, -3, 0.3, 1, 2},     // -1 becomes 1, now downwards
    {1, -5, 0.75, 4, 4},    // -4 becomes 4
    {4, -5, 0.25, 1, 2},    // -1 becomes 1
};

TEST(MoveAndBounce, ReflectsAtTheEdgesAndTurnsTheVelocityRound) {
    for (const BounceCase& c : kBounceCases) {
        int16_t velocity = c.velocity;
        EXPECT_EQ(MoveAndBounce(c.previous, velocity, Sequence({c.rnd})), c.coordinate)
            << c.previous << " + " << c.velocity;
        EXPECT_EQ(velocity, c.newVelocity) << c.previous << " + " << c.velocity;
    }
}

TEST(RandomOneToFour, CoversOneToFourEvenAtTheEndsOfTheRange) {
    EXPECT_EQ(RandomOneToFour(Sequence({0.0})), 1);
    EXPECT_EQ(RandomOneToFour(Sequence({0.2499})), 1);
    EXPECT_EQ(RandomOneToFour(Sequence({0.25})), 2);
    EXPECT_EQ(RandomOneToFour(Sequence({0.9999})), 4);
    EXPECT_EQ(RandomOneToFour(Sequence({1.0})), 4);  // a generator that reaches 1
}

struct ColourCase {
    double seconds;
    int polygon;
    int colour;
};

const ColourCase kColourCases[] = {
    {0, 0, 1},       {4.4, 0, 1}, {4.5, 0, 2},              // rounded, then in fives
    {5, 0, 2},       {9.9, 0, 3}, {70, 0, 15}, {75, 0, 1},  // 15 steps, then again
    {0, 4, 5},       {70, 1, 1},  {65, 4, 3},               // polygons further on, wrapping
    {86399.9, 0, 1},                                        // the last moment of the day
};

TEST(PolygonColour, MovesOnEveryFiveSecondsAndNeverIsBlack) {
    for (const ColourCase& c : kColourCases) {
        EXPECT_EQ(PolygonColourNumber(c.seconds, c.polygon), c.colour)
            << c.seconds << " s, polygon " << c.polygon;
    }
    EXPECT_EQ(StandardPaletteColour(0), settings::Rgb(0, 0, 0));
    EXPECT_EQ(StandardPaletteColour(1), settings::Rgb(0, 0, 128));
    EXPECT_EQ(StandardPaletteColour(7), settings::Rgb(192, 192, 192));
    EXPECT_EQ(StandardPaletteColour(12), settings::Rgb(255, 0, 0));
    EXPECT_EQ(StandardPaletteColour(15), settings::Rgb(255, 255, 255));
}

TEST(BouncingPolygons, StartsAtRandomPointsWithVelocitiesRightAndUp) {
    // The lowest and the highest random numbers give the ends of each range.
    for (double r : {0.0, 0.9999}) {
        const BouncingPolygons animation({2, 3, 4}, Sequence({r}));
        for (int g = 0; g < 2; ++g) {
            for (int v = 0; v < 3; ++v) {
                const int16_t edge = r == 0.0 ? 0 : 100;
                EXPECT_EQ(animation.Position(g, v, 0), (Point16{edge, edge}));
                EXPECT_EQ(animation.Position(g, v, 1), (Point16{edge, edge}));
                EXPECT_EQ(animation.Velocity(g, v), r == 0.0 ? (Point16{1, -1}) : (Point16{6, -5}));
            }
        }
        EXPECT_EQ(animation.FrameIndex(), 1);
    }
}

// Plays the strokes onto a screen that remembers which outlines are drawn:
// every tick must erase an outline it drew T ticks before (or one never drawn
// while the trail fills), so that T copies of each polygon stay visible; and
// every vertex goes on from where it was last drawn.
TEST(BouncingPolygons, LeavesExactlyTrailCopiesOfEveryPolygon) {
    for (const SizeCase& c : kSizeCases) {
        const AnimationSize size = c.size;
        std::mt19937 generator(static_cast<unsigned>(c.level * 2 + c.bottomWon));
        std::uniform_real_distribution<double> uniform(0.0, 1.0);
        BouncingPolygons animation(size, [&] { return uniform(generator); });
        std::vector<std::vector<BouncingPolygons::Outline>> drawn(
            static_cast<std::size_t>(size.Polygons));
        // Where each vertex was last drawn, and where it should go next.
        std::vector<Point16> last;
        for (int g = 0; g < size.Polygons; ++g) {
            for (int v = 0; v < size.Vertices; ++v)
                last.push_back(animation.Position(g, v, 0));
        }
        const auto reflect = [](int x) { return x < 0 ? -x : x > 100 ? 200 - x : x; };
        for (int tick = 1; tick <= 400; ++tick) {
            std::vector<Point16> expected;
            for (int g = 0; g < size.Polygons; ++g) {
                for (int v = 0; v < size.Vertices; ++v) {
                    const Point16 from = last[expected.size()];
                    const Point16 velocity = animation.Velocity(g, v);
                    expected.push_back({static_cast<int16_t>(reflect(from.X + velocity.X)),
                                        static_cast<int16_t>(reflect(from.Y + velocity.Y))});
                }
            }
            const auto strokes = animation.Step(tick * 0.1);
            ASSERT_EQ(strokes.size(), static_cast<std::size_t>(2 * size.Polygons));
            for (int g = 0; g < size.Polygons; ++g) {
                auto& shown = drawn[static_cast<std::size_t>(g)];
                const auto& erased = strokes[static_cast<std::size_t>(g)];
                const auto& added = strokes[static_cast<std::size_t>(size.Polygons + g)];
                EXPECT_EQ(erased.ColourNumber, 0);
                EXPECT_EQ(added.ColourNumber, PolygonColourNumber(tick * 0.1, g));
                ASSERT_EQ(added.Points.size(), static_cast<std::size_t>(size.Vertices + 1));
                EXPECT_EQ(added.Points.front(), added.Points.back());  // closed
                for (int v = 0; v < size.Vertices; ++v) {
                    const std::size_t i = static_cast<std::size_t>(g * size.Vertices + v);
                    ASSERT_EQ(added.Points[static_cast<std::size_t>(v + 1)], expected[i])
                        << "polygon " << g << " vertex " << v << " tick " << tick;
                    last[i] = expected[i];
                }
                if (tick > size.Trail) {
                    ASSERT_FALSE(shown.empty());
                    EXPECT_EQ(erased.Points, shown.front()) << "tick " << tick;
                    shown.erase(shown.begin());
                }
                shown.push_back(added.Points);
                EXPECT_EQ(shown.size(), static_cast<std::size_t>(std::min(tick, size.Trail)));
                for (const Point16& p : added.Points) {
                    ASSERT_TRUE(p.X >= 0 && p.X <= 100 && p.Y >= 0 && p.Y <= 100)
                        << p.X << ", " << p.Y << " at tick " << tick;
                }
            }
            ASSERT_GE(animation.FrameIndex(), 1);
            ASSERT_LE(animation.FrameIndex(), size.Trail);
        }
        // Every vertex has moved and bounced by now: speeds stay 1-6 and 1-5.
        for (int g = 0; g < size.Polygons; ++g) {
            for (int v = 0; v < size.Vertices; ++v) {
                const Point16 velocity = animation.Velocity(g, v);
                EXPECT_TRUE(velocity.X != 0 && std::abs(velocity.X) <= 6);
                EXPECT_TRUE(velocity.Y != 0 && std::abs(velocity.Y) <= 5);
            }
        }
    }
}

TEST(BouncingPolygons, BringsASizeOutsideTheTableIntoRange) {
    const BouncingPolygons tiny({0, 0, 0}, Sequence({0.5}));
    EXPECT_EQ(tiny.Size(), (AnimationSize{1, 1, 1}));
    const BouncingPolygons huge({9, 9, 9}, Sequence({0.5}));
    EXPECT_EQ(huge.Size(), (AnimationSize{5, 4, 5}));
}

}  // namespace
}  // namespace zeko::gui
