#include "calc/geometry/hob/hob_tooth.h"

#include "calc/geometry/hob/hob_refusal.h"
#include "calc/geometry/hob/plane.h"

#include <array>
#include <cmath>
#include <numbers>

namespace quillon {
namespace {

using namespace hob;

// The roll angle at which a groove point P with normal n touches the rack:
// its normal passes through the pitch point Rot(θ)·(0, R), that is
// P × n + R cos(θ − φn) = 0. Of the two roots the one nearer 0 is the
// contact in this groove; the other lies across the pulley.
std::optional<double> contactAngle(const Contact& c, double pitchRadius)
{
    const double cosine = -cross(c.at, c.normal) / pitchRadius;
    if (!(std::abs(cosine) <= 1))
        return std::nullopt;
    const double normalAngle = portableAtan2(c.normal.y, c.normal.x);
    const double opening = portableAtan2(std::sqrt(1 - cosine * cosine), cosine);
    auto wrapped = [](double angle) {
        return angle > std::numbers::pi  ? angle - 2 * std::numbers::pi
            : angle <= -std::numbers::pi ? angle + 2 * std::numbers::pi
                                         : angle;
    };
    const double one = wrapped(normalAngle + opening);
    const double other = wrapped(normalAngle - opening);
    return std::abs(one) <= std::abs(other) ? one : other;
}

// The rack point that a pulley point touches at roll angle θ, with its normal.
Contact inRackFrame(const Contact& c, double angle, double pitchRadius)
{
    const Point turned = rotated(c.at, -angle);
    return {{turned.x - pitchRadius * angle, turned.y - pitchRadius}, rotated(c.normal, -angle)};
}

} // namespace

TracedPiece tracedOutlinePiece(const OutlinePiece& piece, int origin)
{
    if (piece.sweep == 0) {
        const Point normal = leftOf(unit(piece.end - piece.start));
        return {.trace =
                    [piece, normal](double s) {
                        return Contact{s == 1 ? piece.end : piece.start + s * (piece.end - piece.start), normal};
                    },
            .shape = PieceShape::Line,
            .origin = origin};
    }
    const double startAngle = portableAtan2(piece.start.y - piece.centre.y, piece.start.x - piece.centre.x);
    return {.trace =
                [piece, startAngle](double s) {
                    // At its ends the arc is its end points exactly, with
                    // normals from them: the bottom's end on the centre line
                    // keeps a normal along it.
                    const double angle = startAngle + s * piece.sweep;
                    const Point at = s == 0 ? piece.start
                        : s == 1            ? piece.end
                                 : piece.centre + piece.radius * Point{portableCos(angle), portableSin(angle)};
                    const Point outward = (1 / piece.radius) * (at - piece.centre);
                    // Counter-clockwise, the material is inside the circle.
                    return Contact{at, piece.sweep > 0 ? (-1.0) * outward : outward};
                },
        .shape = PieceShape::Arc,
        .centre = piece.centre,
        .radius = piece.radius,
        .sweep = piece.sweep,
        .origin = origin};
}

std::vector<OutlinePiece> rightHalfOfGroove(const PulleyOutline& outline)
{
    const std::size_t perGroove = outline.pieces.size() / static_cast<std::size_t>(outline.teeth);
    // Land, right side, bottom, left side.
    const std::size_t side = (perGroove - 2) / 2;
    std::vector<OutlinePiece> half(outline.pieces.begin() + 1, outline.pieces.begin() + 2 + side);
    OutlinePiece& bottom = half.back();
    bottom.sweep /= 2;
    bottom.end = {0, bottom.centre.y + (bottom.start.y - bottom.centre.y > 0 ? 1 : -1) * bottom.radius};
    return half;
}

std::string_view hobGroovePieceName(GrooveConstruction construction, int piece)
{
    static constexpr std::array<std::string_view, 4> kStraight = {"tip fillet", "flank", "root fillet", "root arc"};
    static constexpr std::array<std::string_view, 3> kArcBottom = {"tip fillet", "flank", "bottom arc"};
    const auto index = static_cast<std::size_t>(piece);
    if (construction == GrooveConstruction::ArcBottom)
        return index < kArcBottom.size() ? kArcBottom[index] : "";
    return index < kStraight.size() ? kStraight[index] : "";
}

TracedCurve rackImage(const std::vector<OutlinePiece>& rightHalf, double pitchRadius)
{
    TracedCurve image;
    for (std::size_t k = 0; k < rightHalf.size(); ++k) {
        const OutlinePiece& piece = rightHalf[k];
        const TracedPiece groove = tracedOutlinePiece(piece, static_cast<int>(k));
        if (piece.sweep != 0 && piece.centre == Point{0, 0}) {
            // An arc about the axis rolls out into a line.
            const double y = piece.radius - pitchRadius;
            const double x0 = pitchRadius * portableAtan2(piece.start.x, piece.start.y);
            const double x1 = pitchRadius * portableAtan2(piece.end.x, piece.end.y);
            image.push_back({.trace =
                                 [x0, x1, y](double s) {
                                     return Contact{{x0 + s * (x1 - x0), y}, {0, -1}};
                                 },
                .shape = PieceShape::Line,
                .origin = static_cast<int>(k)});
            continue;
        }
        image.push_back({.trace =
                             [groove, pitchRadius](double s) {
                                 const Contact c = groove.at(s);
                                 const std::optional<double> angle = contactAngle(c, pitchRadius);
                                 // Never touched: the point stays where it is
                                 // in the pulley (the caller refuses such a groove).
                                 return angle ? inRackFrame(c, *angle, pitchRadius)
                                              : Contact{{std::nan(""), std::nan("")}, c.normal};
                             },
            .origin = static_cast<int>(k)});
    }
    return image;
}

HobTooth hobTooth(std::string_view beltType, int designTeeth, bool approximate)
{
    const PulleyOutline design = pulleyOutline(beltType, designTeeth, approximate);
    HobTooth tooth{.beltType = design.beltType,
        .designTeeth = designTeeth,
        .profile = design.profile,
        .designDiameters = design.diameters,
        .construction = design.construction,
        .approximate = approximate,
        .pitch = design.profile.pitch.number(),
        .landDepth = (design.diameters.pitch - design.diameters.outside) / 2,
        .toothHeight = (design.diameters.outside - design.diameters.root) / 2};
    const TracedCurve image = rackImage(rightHalfOfGroove(design), design.diameters.pitch / 2);
    for (const Sample& sample : sampleCurve(image)) {
        if (!std::isfinite(sample.at.x))
            throw HobRefused(HobRefusal::NoContact, design.beltType, designTeeth, designTeeth);
    }
    tooth.flank = withoutLoops(image);
    for (std::size_t k = 0; k < tooth.flank.size(); ++k) {
        if (tooth.flank[k].shape == PieceShape::Corner)
            tooth.trims.push_back({tooth.flank[k].start().at, tooth.flank[k].origin,
                k + 1 < tooth.flank.size() ? tooth.flank[k + 1].origin : tooth.flank[k].origin});
    }
    for (const Sample& sample : sampleCurve(tooth.flank)) {
        if (sample.at.x < 0)
            throw HobRefused(HobRefusal::FlanksCross, design.beltType, designTeeth, designTeeth);
    }
    return tooth;
}

HobToothFigures hobToothFigures(const HobTooth& tooth)
{
    HobToothFigures figures{.flatTip = tooth.flank.back().shape == PieceShape::Line,
        .tipWidth = 2 * tooth.flank.back().start().at.x,
        .landWidth = 2 * tooth.flank.front().start().at.x};
    for (std::size_t k = 0; k < figures.flankAngles.size(); ++k) {
        const double y = -tooth.landDepth - 0.25 * static_cast<double>(k + 1) * tooth.toothHeight;
        const std::optional<Sample> at = firstCrossing(tooth.flank, [y](Point p) { return p.y - y; });
        if (!at)
            continue;
        const Point normal = tooth.flank[at->piece].at(at->parameter).normal;
        figures.flankAngles[k] = portableAtan2(std::abs(normal.y), std::abs(normal.x)) * 180 / std::numbers::pi;
    }
    return figures;
}

std::vector<OutlinePiece> hobProfile(const HobTooth& tooth)
{
    std::vector<Point> right;
    for (const Sample& sample : sampleCurve(tooth.flank))
        right.push_back(sample.at);
    // The tip line is one line across the centre line.
    right.pop_back();
    // From the land on the left down the left flank, which mirrors the
    // right one, across the tip and up the right flank.
    std::vector<Point> points{{-tooth.pitch / 2, -tooth.landDepth}};
    for (const Point& p : right)
        points.push_back({0.0 - p.x, p.y});
    points.insert(points.end(), right.rbegin(), right.rend());
    points.push_back({tooth.pitch / 2, -tooth.landDepth});
    std::vector<OutlinePiece> pieces;
    for (std::size_t k = 1; k < points.size(); ++k)
        pieces.push_back({.start = points[k - 1], .end = points[k]});
    return pieces;
}

} // namespace quillon
