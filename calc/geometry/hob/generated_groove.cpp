#include "calc/geometry/hob/generated_groove.h"

#include "calc/algorithms.h"
#include "calc/geometry/hob/hob_refusal.h"
#include "calc/geometry/hob/plane.h"
#include "calc/run.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillon {
namespace {

using namespace hob;

// A point this far (a nanometre) beyond the outside circle is beyond it;
// closer, it is on it, as the rack's land line puts the groove's first point.
constexpr double kBeyondOutside = 1e-6;

// Where a rack point with its normal is carried when it touches the pulley.
Contact touching(const Contact& rack, double pitchRadius)
{
    if (!(rack.normal.y != 0))
        return {{std::nan(""), std::nan("")}, rack.normal};
    const double angle = -(rack.at.x - rack.at.y * rack.normal.x / rack.normal.y) / pitchRadius;
    return {rotated({rack.at.x + pitchRadius * angle, pitchRadius + rack.at.y}, angle), rotated(rack.normal, angle)};
}

TracedPiece generatedPiece(const TracedPiece& rack, double pitchRadius)
{
    TracedPiece cut{.trace = [rack, pitchRadius](double s) { return touching(rack.at(s), pitchRadius); },
        .from = rack.from,
        .to = rack.to,
        .origin = rack.origin};
    const Contact start = rack.start();
    if (rack.shape == PieceShape::Line && start.normal == Point{0, -1}) {
        // A line along the rack, such as the tip line, cuts an arc about the axis.
        cut.shape = PieceShape::Arc;
        cut.radius = pitchRadius + start.at.y;
        cut.sweep = (start.at.x - rack.end().at.x) / pitchRadius;
    }
    return cut;
}

int cornersIn(const TracedCurve& curve)
{
    return static_cast<int>(countIf(curve, [](const TracedPiece& piece) { return piece.shape == PieceShape::Corner; }));
}

// The curve from where it last comes inside the circle of `radius`.
TracedCurve insideCircle(TracedCurve curve, double radius)
{
    const std::vector<Sample> samples = sampleCurve(curve);
    std::size_t last = samples.size();
    for (std::size_t k = 0; k < samples.size(); ++k) {
        if (norm(samples[k].at) > radius + kBeyondOutside)
            last = k;
    }
    if (last == samples.size() || last + 1 == samples.size())
        return curve;
    const Sample& inside = samples[last + 1];
    TracedPiece& piece = curve[inside.piece];
    const double from = samples[last].piece == inside.piece ? samples[last].parameter : piece.from;
    piece.from = rootBetween([&](double u) { return norm(piece.at(u).at) - radius; }, from, inside.parameter);
    curve.erase(curve.begin(), curve.begin() + static_cast<std::ptrdiff_t>(inside.piece));
    return curve;
}

} // namespace

GeneratedGroove generatedHalf(const TracedCurve& rackFlank, double pitchRadius, double outsideRadius)
{
    TracedCurve envelope;
    for (const TracedPiece& piece : rackFlank)
        envelope.push_back(generatedPiece(piece, pitchRadius));
    GeneratedGroove groove{.pitchRadius = pitchRadius, .outsideRadius = outsideRadius};
    groove.half = insideCircle(withoutLoops(envelope), outsideRadius);
    // The envelope's pieces are all curves and arcs: each corner is a loop cut.
    groove.loopsCut = cornersIn(groove.half);
    groove.rootRadius = norm(groove.half.back().end().at);
    return groove;
}

GeneratedGroove generatedGroove(const HobTooth& tooth, int teeth)
{
    // The circles of the table row, as the run computes them.
    const Diameters diameters = pulleyDiameters(tooth.profile, teeth);
    GeneratedGroove groove = generatedHalf(tooth.flank, diameters.pitch / 2, diameters.outside / 2);
    groove.teeth = teeth;
    // A flank square to the pitch line, off it, touches at no roll angle.
    for (const Sample& sample : sampleCurve(groove.half)) {
        if (!std::isfinite(sample.at.x + sample.at.y))
            throw HobRefused(HobRefusal::NoContact, tooth.beltType, teeth, tooth.designTeeth);
    }
    const double widest = largestOnCurve(groove.half, [](Point p) { return portableAtan2(p.x, p.y); });
    groove.groovesMeet = !(widest < std::numbers::pi / teeth);
    return groove;
}

} // namespace quillon
