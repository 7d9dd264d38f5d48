// One groove of a pulley's outline, in the groove's own frame: its centre
// line on +y, the pulley's axis at (0, 0). The outline (calc/outline.h)
// turns it to each groove's place.
#pragma once

#include "calc/geometry/outline.h"
#include "calc/profile.h"

#include <exception>
#include <vector>

namespace quillon::outline {

// A piece shorter than this (a nanometre) counts as not there: a contour
// with such a sliver is broken for every program that reads it.
inline constexpr double kShortestPiece = 1e-6;

// The radii of the outside and root circles.
struct Circles {
    double outside = 0;
    double root = 0;
};

// The right half of one groove, from the outside circle down to where the
// bottom begins, and the bottom, from there to its mirror point.
struct HalfGroove {
    std::vector<OutlinePiece> side{}; // from the land down
    OutlinePiece bottom{};
};

// A piece of the groove does not fit: which, and the length that does not
// (a width or a radius, 0 where none is named).
class GrooveDoesNotFit : public std::exception {
public:
    GrooveDoesNotFit(OutlineObstacle obstacle, double length = 0) : obstacle(obstacle), length(length) { }
    const char* what() const noexcept override { return "a piece of the groove does not fit"; }
    OutlineObstacle obstacle;
    double length;
};

// The straight-sided groove of a table row: flanks at the half-angle whose
// lines cut a chord of the row's width on the root circle (widthOnRoot, the
// bottom width) or the outside circle (the top width), tip and root fillets
// tangent to flank and circle, and a root arc. Throws GrooveDoesNotFit.
HalfGroove straightGroove(const GrooveProfile& profile, bool widthOnRoot, Circles circles);

// The arc-bottom groove: a bottom arc of the root radius whose lowest point
// is on the root circle, flanks tangent to it at the half-angle, and tip
// fillets. Throws GrooveDoesNotFit.
HalfGroove arcBottomGroove(const GrooveProfile& profile, Circles circles);

// The width between the flank lines on the outside circle, as drawn.
double drawnTopWidth(const HalfGroove& half, double outsideRadius);

// The largest angle from the centre line that the right half reaches,
// clockwise from +y.
double widestAngle(const HalfGroove& half);

// The groove's pieces in order: right half, bottom, left half (mirrored).
std::vector<OutlinePiece> wholeGroove(const HalfGroove& half);

// The grooves turned to their places round the pulley, each after the land
// arc on the outside circle that leads to it: the whole contour of a pulley
// whose groove 0 (centred on +y, from the outside circle to the outside
// circle) is `groove`.
std::vector<OutlinePiece> placeGrooves(const std::vector<OutlinePiece>& groove, int teeth, double outsideRadius);

} // namespace quillon::outline
