// The result dialog's animation without widgets: polygons whose vertices
// bounce inside a 100 by 100 square, each leaving a trail of its last copies.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "settings/colour_schemes.h"

namespace zeko::gui {

struct AnimationSize {
    int Polygons = 1;  // G, up to 5
    int Vertices = 3;  // V, up to 4
    int Trail = 1;     // T, copies of each polygon on show, up to 5
    bool operator==(const AnimationSize&) const = default;
};

// One triangle without a trail unless the bottom half won; a win earns more,
// larger polygons with longer trails the higher the level (1-9) beaten.
AnimationSize AnimationSizeFor(bool bottomWon, int level);

// Uniform in [0, 1).
using Random = std::function<double()>;

// A whole number from 1 to 4.
int RandomOneToFour(const Random& rnd);

// A coordinate one step on from `previous`, bounced back into 0-100; a bounce
// gives the velocity a new size of 1 to 4 and turns it round.
int16_t MoveAndBounce(int16_t previous, int16_t& velocity, const Random& rnd);

// The colour number (1-15) of polygon `polygon`: it moves on every five
// seconds of the day.
int PolygonColourNumber(double secondsSinceMidnight, int polygon);

// Colour 0-15 of the standard sixteen-colour palette; 0 is black.
settings::Colour StandardPaletteColour(int number);

struct Point16 {
    int16_t X = 0;
    int16_t Y = 0;
    bool operator==(const Point16&) const = default;
};

class BouncingPolygons {
  public:
    // A closed outline: the last vertex, then vertices 0 to V - 1.
    using Outline = std::vector<Point16>;
    struct Stroke {
        Outline Points;
        int ColourNumber = 0;  // of the sixteen-colour palette; 0 erases
    };

    // Vertices start at random points with random velocities; `rnd` is kept
    // for the bounces. A size outside the table's range is brought into it.
    BouncingPolygons(AnimationSize size, Random rnd);

    AnimationSize Size() const { return size_; }
    int FrameIndex() const { return t_; }
    Point16 Position(int polygon, int vertex, int slot) const;
    Point16 Velocity(int polygon, int vertex) const;

    // One tick: the oldest copy of every polygon is erased, every vertex moves
    // on, and the new copies are drawn; the strokes come in drawing order.
    std::vector<Stroke> Step(double secondsSinceMidnight);

  private:
    std::size_t Index(int polygon, int vertex, int slot) const;
    std::size_t VertexIndex(int polygon, int vertex) const;
    Outline OutlineAt(int polygon, int slot) const;

    AnimationSize size_;
    Random rnd_;
    int t_ = 1;
    std::vector<Point16> positions_;   // polygon, vertex, slot 0 .. T
    std::vector<Point16> velocities_;  // polygon, vertex
};

}  // namespace zeko::gui
