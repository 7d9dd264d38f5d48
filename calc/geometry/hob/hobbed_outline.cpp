#include "calc/geometry/hob/hobbed_outline.h"

#include "calc/catalogue/catalogue.h"
#include "calc/geometry/hob/hob_refusal.h"
#include "calc/geometry/hob/plane.h"
#include "calc/geometry/outline_groove.h"
#include "calc/run.h"
#include "calc/segments.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quillon {
namespace {

using namespace hob;

int wholeTeeth(std::string_view beltType, double count)
{
    if (!(count == std::floor(count)))
        throw HobRefused(HobRefusal::NotWhole, beltType, count);
    if (!(count >= 3 && count <= kMaxOutlineTeeth))
        throw HobRefused(HobRefusal::TooFewTeeth, beltType, count);
    return static_cast<int>(count);
}

// The generated half as outline pieces: arcs where it is one, lines between
// its samples elsewhere; none shorter than outline::kShortestPiece, and the
// last ending exactly on the centre line.
std::vector<OutlinePiece> drawnHalf(const TracedCurve& half)
{
    const std::vector<Sample> samples = sampleCurve(half);
    std::vector<OutlinePiece> pieces;
    Point last = samples.front().at;
    for (std::size_t k = 1; k < samples.size(); ++k) {
        const TracedPiece& piece = half[samples[k].piece];
        if (piece.shape == PieceShape::Arc) {
            while (k + 1 < samples.size() && samples[k + 1].piece == samples[k].piece)
                ++k;
        }
        const Point end = samples[k].at;
        if (!(norm(end - last) >= outline::kShortestPiece)) {
            if (k + 1 == samples.size() && !pieces.empty())
                pieces.back().end = end;
            continue;
        }
        OutlinePiece drawn{.start = last, .end = end};
        if (piece.shape == PieceShape::Arc) {
            const Point from = last - piece.centre;
            const Point to = end - piece.centre;
            drawn = {last, end, portableAtan2(cross(from, to), dot(from, to)), piece.centre, piece.radius};
        }
        pieces.push_back(drawn);
        last = end;
    }
    return pieces;
}

// The whole groove from its right half, which ends on the centre line: the
// right half, then its mirror image walked back. Where the right half ends
// on an arc about the axis (the root circle), that arc and its mirror are
// one piece, the groove's bottom.
std::vector<OutlinePiece> wholeGeneratedGroove(const TracedCurve& half)
{
    std::vector<OutlinePiece> right = drawnHalf(half);
    const OutlinePiece last = right.back();
    if (!(last.end.x == 0))
        throw std::logic_error("a generated groove ends on its centre line");
    if (last.sweep > 0 && last.centre == Point{0, 0}) {
        right.pop_back();
        return outline::wholeGroove({.side = right,
            .bottom = {.start = last.start,
                .end = {0.0 - last.start.x, last.start.y},
                .sweep = 2 * last.sweep,
                .centre = last.centre,
                .radius = last.radius}});
    }
    std::vector<OutlinePiece> groove = right;
    for (auto piece = right.rbegin(); piece != right.rend(); ++piece) {
        groove.push_back({.start = {0.0 - piece->end.x, piece->end.y},
            .end = {0.0 - piece->start.x, piece->start.y},
            .sweep = piece->sweep,
            .centre = {0.0 - piece->centre.x, piece->centre.y},
            .radius = piece->radius});
    }
    return groove;
}

} // namespace

HobChoice hobFor(std::string_view beltType, double toothCount, std::optional<double> designTeeth, bool approximate)
{
    const auto name = std::find(kBeltTypes.begin(), kBeltTypes.end(), beltType);
    if (name == kBeltTypes.end())
        throw OutlineRefused({.obstacle = OutlineObstacle::UnknownBeltType, .beltType = std::string(beltType)});
    // A pulley with no groove to design a hob for (STPD, HTD20M, HTD unless
    // approximately) is refused in the outline's words, and so is a tooth
    // count that is not whole or below 3.
    const int teeth = pulleyOutline(*name, toothCount, approximate).teeth;
    const GrooveProfile row = selectProfile(*name, teeth);
    const std::vector<ToothRange> segments = hobSegments(row);
    const auto range
        = std::find_if(segments.begin(), segments.end(), [&](const ToothRange& r) { return r.holds(teeth); });
    if (!designTeeth && range == segments.end())
        throw HobRefused(segments.empty() ? HobRefusal::NoSegments : HobRefusal::OutsideSegments, *name, teeth);
    const int design = designTeeth ? wholeTeeth(*name, *designTeeth) : range->first;
    if (!(selectProfile(*name, design) == row))
        throw HobRefused(HobRefusal::DifferentRows, *name, teeth, design);
    if (range == segments.end())
        return {.segment = {}, .designTeeth = design};
    return {.segment = range->text, .designTeeth = design, .firstTeeth = range->first, .lastTeeth = range->last};
}

PulleyOutline hobbedOutline(
    std::string_view beltType, double toothCount, std::optional<double> designTeeth, bool approximate)
{
    const HobChoice choice = hobFor(beltType, toothCount, designTeeth, approximate);
    const int teeth = static_cast<int>(toothCount);
    const HobTooth tooth = hobTooth(beltType, choice.designTeeth, approximate);
    PulleyOutline outline = pulleyOutline(beltType, teeth, approximate);
    const GeneratedGroove generated = generatedGroove(tooth, teeth);
    if (generated.groovesMeet)
        throw HobRefused(HobRefusal::GroovesMeet, outline.beltType, teeth, choice.designTeeth);
    const GrooveDeviation deviation = grooveDeviation(generated, outline);
    const std::vector<OutlinePiece> groove = wholeGeneratedGroove(generated.half);
    outline.pieces = outline::placeGrooves(groove, teeth, generated.outsideRadius);
    outline.topWidth = 2 * groove.front().start.x;
    outline.hobbed = HobbedBy{.segment = choice.segment,
        .designTeeth = choice.designTeeth,
        .overcut = deviation.overcut,
        .metalLeft = deviation.metalLeft};
    return outline;
}

} // namespace quillon
