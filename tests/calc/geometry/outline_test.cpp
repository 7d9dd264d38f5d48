// The pulley outline: golden points worked by hand, the geometry of every
// straight-sided row checked with other arithmetic than the builder's, and
// the refusals.

#include "calc/catalogue/catalogue.h"
#include "calc/geometry/files/outline_dxf.h"
#include "calc/geometry/files/outline_svg.h"
#include "calc/geometry/outline.h"
#include "calc/run.h"
#include "calc/segments.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <numbers>
#include <string>

using namespace quillon;

namespace {

constexpr double kPi = std::numbers::pi;

double distance(Point a, Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The direction of travel of a piece at its start (atEnd false) or end.
double heading(const OutlinePiece& piece, bool atEnd)
{
    if (piece.sweep == 0)
        return std::atan2(piece.end.y - piece.start.y, piece.end.x - piece.start.x);
    const Point on = atEnd ? piece.end : piece.start;
    return std::atan2(on.y - piece.centre.y, on.x - piece.centre.x) + (piece.sweep > 0 ? kPi / 2 : -kPi / 2);
}

double angleBetween(double a, double b)
{
    return std::remainder(a - b, 2 * kPi);
}

struct GoldenGroove {
    const char* belt;
    int teeth;
    Point tipCentre, tipOnFlank, tipOnOutside, rootCentre, rootOnFlank, rootOnRoot;
};

TEST(Outline, FilletsOfGrooveZeroMatchPointsWorkedByHand)
{
    // Worked by hand from the table rows: each fillet centre found by its
    // angle on the circle of radius Ro − r (or Rr + r) at which it stands r
    // from the flank line.
    for (const GoldenGroove& golden : {
             GoldenGroove{"XL", 20, {1.794912859265, 15.170326610225}, {1.214875875561, 15.440802297739},
                 {1.870111440957, 15.805893422851}, {0.403339129055, 14.670598777701},
                 {0.774925321740, 14.497325290388}, {0.392071246784, 14.260753642523}},
             GoldenGroove{"T5", 40, {1.907884511981, 30.872091536682}, {1.545361397166, 31.041138841379},
                 {1.932557302538, 31.271329878286}, {0.387808860324, 29.978480365158},
                 {0.931593532546, 29.724909408114}, {0.380047764822, 29.378530562761}},
         }) {
        const PulleyOutline outline = pulleyOutline(golden.belt, golden.teeth);
        // Piece 0 is the land arc before groove 0, then the right tip
        // fillet, flank and root fillet.
        const OutlinePiece& tip = outline.pieces[1];
        const OutlinePiece& root = outline.pieces[3];
        for (const auto& [got, want] :
            {std::pair{tip.centre, golden.tipCentre}, {tip.start, golden.tipOnOutside}, {tip.end, golden.tipOnFlank},
                {root.centre, golden.rootCentre}, {root.start, golden.rootOnFlank}, {root.end, golden.rootOnRoot}}) {
            EXPECT_NEAR(got.x, want.x, 1e-9) << golden.belt;
            EXPECT_NEAR(got.y, want.y, 1e-9) << golden.belt;
        }
    }
}

// Every straight-sided row from its smallest hob segment's tooth count to
// 200 teeth (the T series by the row its tooth count picks): a closed chain of tangent pieces that turns once round,
// each fillet r from its flank line and its circle, the table's width between the flank lines on its circle, and a land
// and a root arc in every groove.
TEST(Outline, StraightSidedGroovesHoldTheirTableGeometry)
{
    for (const ProfileEntry& row : profileCatalogue()) {
        const BeltFamily family = *beltFamily(row.beltType);
        if (family != BeltFamily::TrapezoidalInch && family != BeltFamily::T)
            continue;
        // XXL names no hob segments; its smallest pulleys have about 10 teeth.
        const std::vector<ToothRange> segments = hobSegments(row.profile);
        const int smallest = segments.empty() ? 10 : segments.front().first;
        const int from = row.condition == ToothCountCondition::Above20 ? std::max(21, smallest) : smallest;
        const int to = row.condition == ToothCountCondition::UpTo20 ? 20 : 200;
        const GrooveProfile& p = row.profile;
        for (int z = from; z <= to; ++z) {
            SCOPED_TRACE(std::string(row.beltType) + " z=" + std::to_string(z));
            const PulleyOutline outline = pulleyOutline(row.beltType, z);
            const double outside = (p.pitch.number() * z / kDiameterPi - p.twiceTipOffset.number()) / 2;
            const double rootCircle = outside - p.grooveDepth.number();
            ASSERT_EQ(outline.pieces.size(), 8u * z);
            double turning = 0;
            for (std::size_t i = 0; i < outline.pieces.size(); ++i) {
                const OutlinePiece& piece = outline.pieces[i];
                const OutlinePiece& next = outline.pieces[(i + 1) % outline.pieces.size()];
                ASSERT_EQ(piece.end, next.start) << i;
                ASSERT_NEAR(angleBetween(heading(piece, true), heading(next, false)), 0, 1e-9) << i;
                turning += piece.sweep;
                if (piece.sweep != 0) {
                    ASSERT_NEAR(distance(piece.start, piece.centre), piece.radius, 1e-9) << i;
                    ASSERT_NEAR(distance(piece.end, piece.centre), piece.radius, 1e-9) << i;
                    // Turning the start about the centre by the sweep reaches the end.
                    const double to
                        = std::atan2(piece.start.y - piece.centre.y, piece.start.x - piece.centre.x) + piece.sweep;
                    ASSERT_NEAR(piece.centre.x + piece.radius * std::cos(to), piece.end.x, 1e-9) << i;
                    ASSERT_NEAR(piece.centre.y + piece.radius * std::sin(to), piece.end.y, 1e-9) << i;
                }
            }
            EXPECT_NEAR(turning, 2 * kPi, 1e-9);

            const OutlinePiece& land = outline.pieces[0];
            const OutlinePiece& tip = outline.pieces[1];
            const OutlinePiece& flank = outline.pieces[2];
            const OutlinePiece& rootFillet = outline.pieces[3];
            const OutlinePiece& rootArc = outline.pieces[4];
            EXPECT_NEAR(land.radius, outside, 1e-9);
            EXPECT_GT(land.sweep, 0);
            EXPECT_NEAR(rootArc.radius, rootCircle, 1e-9);
            EXPECT_GT(rootArc.sweep, 0);
            // The tip fillet stands in the material, the root fillet in the groove.
            EXPECT_NEAR(std::hypot(tip.centre.x, tip.centre.y), outside - p.tipRadius.number(), 1e-9);
            EXPECT_NEAR(std::hypot(rootFillet.centre.x, rootFillet.centre.y), rootCircle + p.rootRadius.number(), 1e-9);
            // The flank line: at the half-angle to the centre line, r from
            // each fillet centre, and crossing its circle at half the width.
            const double dx = flank.start.x - flank.end.x;
            const double dy = flank.start.y - flank.end.y;
            const double along = std::hypot(dx, dy);
            EXPECT_NEAR(std::atan2(dx, dy) * 180 / kPi, p.halfAngle.number(), 1e-9);
            auto fromFlank
                = [&](Point c) { return std::abs(dx * (c.y - flank.end.y) - dy * (c.x - flank.end.x)) / along; };
            EXPECT_NEAR(fromFlank(tip.centre), p.tipRadius.number(), 1e-9);
            EXPECT_NEAR(fromFlank(rootFillet.centre), p.rootRadius.number(), 1e-9);
            // Where the flank line meets the chord's circle, by iterating
            // y = √(R² − x(y)²) along the line.
            const double chordRadius = family == BeltFamily::TrapezoidalInch ? rootCircle : outside;
            double y = chordRadius;
            for (int i = 0; i < 100; ++i)
                y = std::sqrt(chordRadius * chordRadius - std::pow(flank.end.x + (y - flank.end.y) * dx / dy, 2));
            const double width = family == BeltFamily::TrapezoidalInch ? p.bottomWidth.number() : p.topWidth.number();
            EXPECT_NEAR(2 * (flank.end.x + (y - flank.end.y) * dx / dy), width, 1e-9);
        }
    }
}

TEST(Outline, EqualTipAndRootRadiiKeepEachFilletOnItsSide)
{
    // H has both radii 1.6: a builder that takes the wrong side or the wrong
    // intersection for one of them still finds a circle of the right size.
    const PulleyOutline outline = pulleyOutline("H", 30);
    const double outside = outline.diameters.outside / 2;
    const double root = outline.diameters.root / 2;
    EXPECT_NEAR(std::hypot(outline.pieces[1].centre.x, outline.pieces[1].centre.y), outside - 1.6, 1e-9);
    EXPECT_NEAR(std::hypot(outline.pieces[3].centre.x, outline.pieces[3].centre.y), root + 1.6, 1e-9);
    EXPECT_GT(outline.pieces[1].sweep, 0);
    EXPECT_LT(outline.pieces[3].sweep, 0);
}

TEST(Outline, HtdIsDrawnOnlyApproximatelyWithTheTopWidthItGives)
{
    const PulleyOutline outline = pulleyOutline("HTD5M", 40, true);
    EXPECT_EQ(outline.construction, GrooveConstruction::ArcBottom);
    EXPECT_EQ(outline.pieces.size(), 6u * 40);
    // The bottom arc's lowest point is on the root circle.
    const OutlinePiece& bottom = outline.pieces[3];
    EXPECT_NEAR(bottom.centre.y - bottom.radius, outline.diameters.root / 2, 1e-12);
    EXPECT_NEAR(bottom.radius, 1.56, 0);
    EXPECT_NEAR(outline.topWidth, 3.25, 0.1);
    try {
        pulleyOutline("HTD5M", 40);
        FAIL() << "drawn without asking";
    } catch (const OutlineRefused& refused) {
        EXPECT_TRUE(refused.onlyApproximately);
        EXPECT_EQ(refused.reason().obstacle, OutlineObstacle::OnlyApproximately);
        EXPECT_EQ(refused.reason().length, outline.topWidth);
        EXPECT_EQ(refused.reason().tableLength, 3.25);
    }
}

// The reason is data: the obstacle and the numbers a message names, which
// each front end words in its own language.
TEST(Outline, RefusesWhatCannotBeDrawnNamingTheObstacleAndItsNumbers)
{
    using enum OutlineObstacle;
    struct Case {
        const char* belt;
        double teeth;
        OutlineObstacle obstacle;
        double length;
        double tableLength;
    };
    for (const Case& c : {
             Case{"STPD S8M", 40, FlankCentresNotGiven, 0, 0},
             Case{"HTD20M", 40, TopWidthUnlikeTable, 14.166, 14.8},
             Case{"XL", 20.5, TeethNotWhole, 0, 0},
             Case{"XL", 2, TeethOutOfRange, 0, 0},
             Case{"XL", 100001, TeethOutOfRange, 0, 0},
             Case{"T2.5", 6, NoLand, 0, 0},
             // Lands are left on the outside circle, but the flanks lean
             // less than the radius does, and the grooves meet lower down.
             Case{"T20", 3, GroovesOverlap, 0, 0},
             Case{"XL", 3, BottomWidthDoesNotFit, 1.32, 0},
             Case{"H", 5, NoFlankBetweenFillets, 0, 0},
             Case{"HTD3M", 8, NoFlankAboveBottomArc, 0, 0},
             Case{"mxl", 40, UnknownBeltType, 0, 0},
         }) {
        try {
            pulleyOutline(c.belt, c.teeth, true);
            ADD_FAILURE() << c.belt << " " << c.teeth << " was drawn";
        } catch (const OutlineRefused& refused) {
            const OutlineRefusal& reason = refused.reason();
            EXPECT_EQ(reason.obstacle, c.obstacle) << c.belt << " " << c.teeth;
            EXPECT_EQ(reason.beltType, c.belt);
            EXPECT_EQ(reason.toothCount, c.teeth);
            EXPECT_NEAR(reason.length, c.length, 0.0005) << c.belt << " " << c.teeth;
            EXPECT_EQ(reason.tableLength, c.tableLength) << c.belt << " " << c.teeth;
            EXPECT_FALSE(refused.onlyApproximately);
        }
    }
}

TEST(OutlineFiles, AGermanLocaleChangesNoByte)
{
    // A writer that formatted numbers through the C library would write
    // decimal commas here.
    const PulleyOutline outline = pulleyOutline("T5", 40);
    const std::string svg = outlineSvg(outline, Units::Inches);
    const std::string dxf = outlineDxf(outline, Units::Millimetres);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not generated on this machine";
    const std::string germanSvg = outlineSvg(outline, Units::Inches);
    const std::string germanDxf = outlineDxf(outline, Units::Millimetres);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(germanSvg, svg);
    EXPECT_EQ(germanDxf, dxf);
}

} // namespace
