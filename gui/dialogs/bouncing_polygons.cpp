#include "gui/dialogs/bouncing_polygons.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace zeko::gui {

namespace {

constexpr std::array<AnimationSize, 9> kWinnerSizes = {{
    {2, 2, 3},
    {2, 3, 4},
    {2, 4, 5},
    {3, 2, 3},
    {3, 3, 3},
    {3, 4, 3},
    {5, 2, 5},
    {5, 3, 5},
    {5, 4, 5},
}};

int16_t Rounded(double value) {
    return static_cast<int16_t>(std::lround(value));
}

}  // namespace

AnimationSize AnimationSizeFor(bool bottomWon, int level) {
    if (!bottomWon) return {1, 3, 1};
    return kWinnerSizes[static_cast<std::size_t>(std::clamp(level, 1, 9) - 1)];
}

int RandomOneToFour(const Random& rnd) {
    return std::clamp(1 + static_cast<int>(std::floor(rnd() * 4)), 1, 4);
}

int16_t MoveAndBounce(int16_t previous, int16_t& velocity, const Random& rnd) {
    int coordinate = previous + velocity;
    bool bounced = false;
    if (coordinate < 0) {
        coordinate = -coordinate;
        bounced = true;
    } else if (coordinate > 100) {
        coordinate = 200 - coordinate;
        bounced = true;
    }
    if (bounced) {
        const int size = RandomOneToFour(rnd);
        velocity = static_cast<int16_t>(velocity > 0 ? -size : size);
    }
    return static_cast<int16_t>(coordinate);
}

int PolygonColourNumber(double secondsSinceMidnight, int polygon) {
    const long c = (std::lround(secondsSinceMidnight) / 5) % 15;
    return static_cast<int>((c + polygon) % 15) + 1;
}

settings::Colour StandardPaletteColour(int number) {
    using settings::Rgb;
    static constexpr std::array<settings::Colour, 16> kPalette = {
        Rgb(0, 0, 0),       Rgb(0, 0, 128),   Rgb(0, 128, 0),   Rgb(0, 128, 128),
        Rgb(128, 0, 0),     Rgb(128, 0, 128), Rgb(128, 128, 0), Rgb(192, 192, 192),
        Rgb(128, 128, 128), Rgb(0, 0, 255),   Rgb(0, 255, 0),   Rgb(0, 255, 255),
        Rgb(255, 0, 0),     Rgb(255, 0, 255), Rgb(255, 255, 0), Rgb(255, 255, 255),
    };
    return kPalette[static_cast<std::size_t>(std::clamp(number, 0, 15))];
}

BouncingPolygons::BouncingPolygons(AnimationSize size, Random rnd)
    : size_{std::clamp(size.Polygons, 1, 5), std::clamp(size.Vertices, 1, 4),
            std::clamp(size.Trail, 1, 5)},
      rnd_(std::move(rnd)),
      positions_(static_cast<std::size_t>(size_.Polygons * size_.Vertices * (size_.Trail + 1))),
      velocities_(static_cast<std::size_t>(size_.Polygons * size_.Vertices)) {
    for (int g = 0; g < size_.Polygons; ++g) {
        for (int v = 0; v < size_.Vertices; ++v) {
            for (int slot = 0; slot <= 1; ++slot) {
                Point16& p = positions_[Index(g, v, slot)];
                p.X = Rounded(rnd_() * 100);
                p.Y = Rounded(rnd_() * 100);
            }
            Point16& velocity = velocities_[VertexIndex(g, v)];
            velocity.X = Rounded(rnd_() * 5 + 1);
            velocity.Y = Rounded(rnd_() * -4 - 1);
        }
    }
}

std::size_t BouncingPolygons::Index(int polygon, int vertex, int slot) const {
    return static_cast<std::size_t>((polygon * size_.Vertices + vertex) * (size_.Trail + 1) + slot);
}

std::size_t BouncingPolygons::VertexIndex(int polygon, int vertex) const {
    return static_cast<std::size_t>(polygon * size_.Vertices + vertex);
}

Point16 BouncingPolygons::Position(int polygon, int vertex, int slot) const {
    return positions_[Index(polygon, vertex, slot)];
}

Point16 BouncingPolygons::Velocity(int polygon, int vertex) const {
    return velocities_[VertexIndex(polygon, vertex)];
}

BouncingPolygons::Outline BouncingPolygons::OutlineAt(int polygon, int slot) const {
    Outline outline;
    outline.reserve(static_cast<std::size_t>(size_.Vertices + 1));
    outline.push_back(Position(polygon, size_.Vertices - 1, slot));
    for (int v = 0; v < size_.Vertices; ++v)
        outline.push_back(Position(polygon, v, slot));
    return outline;
}

std::vector<BouncingPolygons::Stroke> BouncingPolygons::Step(double secondsSinceMidnight) {
    std::vector<Stroke> strokes;
    strokes.reserve(static_cast<std::size_t>(2 * size_.Polygons));
    for (int g = 0; g < size_.Polygons; ++g)
        strokes.push_back({OutlineAt(g, t_), 0});

    for (int g = 0; g < size_.Polygons; ++g) {
        for (int v = 0; v < size_.Vertices; ++v) {
            const Point16 from = Position(g, v, t_ - 1);
            Point16& velocity = velocities_[VertexIndex(g, v)];
            Point16& to = positions_[Index(g, v, t_)];
            to.X = MoveAndBounce(from.X, velocity.X, rnd_);
            to.Y = MoveAndBounce(from.Y, velocity.Y, rnd_);
        }
    }

    for (int g = 0; g < size_.Polygons; ++g)
        strokes.push_back({OutlineAt(g, t_), PolygonColourNumber(secondsSinceMidnight, g)});

    t_ = (t_ + 1) % (size_.Trail + 1);
    if (t_ == 0) {
        for (int g = 0; g < size_.Polygons; ++g) {
            for (int v = 0; v < size_.Vertices; ++v)
                positions_[Index(g, v, 0)] = positions_[Index(g, v, size_.Trail)];
        }
        t_ = 1;
    }
    return strokes;
}

}  // namespace zeko::gui
