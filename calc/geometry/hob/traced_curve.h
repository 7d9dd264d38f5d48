// Curves known point by point: each point computed exactly (to rounding)
// from a parameter, with its normal. The hob's tooth and the grooves it cuts
// are such curves; these are the few operations on them that the hob's
// construction needs, each driven by a length tolerance, never by a fixed
// number of steps.
#pragma once

#include "calc/geometry/outline.h"

#include <functional>
#include <optional>
#include <vector>

namespace quillon::hob {

// The vertices of a drawn curve lie on the exact curve within 0.1 µm and its
// chords stray from it by at most 1 µm; chords are made within a quarter of
// that, as the check between samples looks at three points only.
inline constexpr double kChordTolerance = 0.25e-3;

// Two parameters closer than this (a relative step of 1e-13) are the same
// point for the root finders.
inline constexpr double kParameterResolution = 1e-13;

// A point of a curve and its unit normal, which points into the material the
// curve bounds.
struct Contact {
    Point at;
    Point normal;
};

// What a piece is exactly: a straight line, an arc (centre, radius, turning
// counter-clockwise when sweep > 0), a curve known only point by point, or a
// corner (one point whose normal turns).
enum class PieceShape { Line, Arc, Curve, Corner };

// One piece of a curve: the points for parameters from `from` to `to`.
struct TracedPiece {
    std::function<Contact(double)> trace;
    double from = 0;
    double to = 1;
    PieceShape shape = PieceShape::Curve;
    Point centre{};
    double radius = 0;
    double sweep = 0;
    int origin = -1; // which piece of the design groove it comes from, for messages

    Contact at(double parameter) const { return trace(parameter); }
    Contact start() const { return trace(from); }
    Contact end() const { return trace(to); }
};

// Pieces in order, each starting where the one before ends.
using TracedCurve = std::vector<TracedPiece>;

// A parameter of a curve and its point.
struct Sample {
    std::size_t piece = 0;
    double parameter = 0;
    Point at;
};

// The points of a curve close enough together that every chord stays within
// kChordTolerance of it: lines by their ends, everything else split in halves
// until the curve is that close to each chord. The first point of each piece
// after the first is left out, as it is the last one of the piece before.
std::vector<Sample> sampleCurve(const TracedCurve& curve);

// Where a curve crosses itself: loops cut out at the crossing, found on the
// chords and then solved exactly on the two pieces. Where a loop is cut, a
// corner piece is put in: its point stands still while its normal turns from
// the one before to the one after (the normals a convex corner has), so that
// a tool with such a corner cuts its trochoid.
//   A curve that runs right, turns back across itself and runs on -> the same
//   curve without the loop, with one corner at the crossing.
TracedCurve withoutLoops(const TracedCurve& curve);

// The parameter in [from, to] where f changes sign, by bisection; f(from) and
// f(to) have opposite signs (or one is 0).
double rootBetween(const std::function<double(double)>& f, double from, double to);

// Where a curve first crosses the line or circle where f is 0, walking from
// its start: the piece and parameter, solved exactly. None if it does not.
//   f = |p| − r: where it first crosses the circle of radius r about the axis
std::optional<Sample> firstCrossing(const TracedCurve& curve, const std::function<double(Point)>& f);

// The largest value of f on the curve: at the samples, refined by golden
// section between the neighbours of the best one.
double largestOnCurve(const TracedCurve& curve, const std::function<double(Point)>& f);

// Turns p about the axis by `angle` radians, counter-clockwise.
Point rotated(Point p, double angle);

} // namespace quillon::hob
