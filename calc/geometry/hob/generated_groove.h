// The groove a hob cuts on a pulley of any tooth count: the envelope of its
// tooth as the rack rolls on the pulley's pitch circle.
#pragma once

#include "calc/geometry/hob/hob_tooth.h"
#include "calc/geometry/hob/traced_curve.h"

namespace quillon {

// The right half of a generated groove in the pulley's frame (groove 0 on
// +y), from where it leaves the outside circle down to the centre line on
// the root circle: arcs of the root circle where the tooth's tip line cuts,
// curves elsewhere, and corners where the envelope's loops (undercut) were
// cut out. Normals point into the pulley's material.
struct GeneratedGroove {
    int teeth = 0;
    double pitchRadius = 0;
    double outsideRadius = 0;
    double rootRadius = 0;
    hob::TracedCurve half{};
    int loopsCut = 0;
    // The groove reaches half the angle between grooves: the hob cuts the
    // land away and neighbouring grooves meet.
    bool groovesMeet = false;
};

// The envelope of a rack flank (rack frame, normals out of the tooth, from
// the land line down to the centre line) rolling on a pitch circle: each
// rack point Q with normal m touches at θ = −(Qx − Qy·mx/my) / R, where its
// normal meets the pitch line at the pitch point, and is then at
// Rot(θ)·(Qx + Rθ, R + Qy). A corner's normals turn, and it cuts its
// trochoid. Loops are cut out, and what lies beyond the outside circle is
// left out.
//   a straight rack flank at φ -> an involute of base radius R·cos φ
GeneratedGroove generatedHalf(const hob::TracedCurve& rackFlank, double pitchRadius, double outsideRadius);

// The groove the hob cuts on a pulley of `teeth` teeth, on the pitch circle
// of the design's table row for that count (pitch × teeth ÷ 3.14159265).
// Throws HobRefused (NoContact) where a point of the tooth touches at no
// roll angle.
//   (hobTooth("XL", 10), 10) -> the design groove, the trimmed corner's
//   trochoid where the tooth was trimmed
GeneratedGroove generatedGroove(const HobTooth& tooth, int teeth);

} // namespace quillon
