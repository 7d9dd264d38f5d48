// The hob: a straight rack against the closed forms of gearing, the design
// groove cut again by its own hob, the symmetry of what is drawn, figures
// found once by a sweep of the roll angle, and the refusals.

#include "calc/geometry/hob/hob_refusal.h"
#include "calc/geometry/hob/hobbed_outline.h"
#include "calc/geometry/hob/plane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

using namespace quillon;
using namespace quillon::hob;

namespace {

constexpr double kPi = std::numbers::pi;

// A fillet-free rack flank at pressure angle φ: from the land line y = +h
// down a straight flank to a sharp corner on the tip line y = −h, and along
// it to the centre line; its half thickness on the pitch line is halfWidth.
TracedCurve straightRack(double angle, double depth, double halfWidth)
{
    const Point land{halfWidth + depth * std::tan(angle), depth};
    const Point tip{halfWidth - depth * std::tan(angle), -depth};
    const Point flankNormal{std::cos(angle), -std::sin(angle)};
    const double turn = std::atan2(cross(flankNormal, {0, -1}), dot(flankNormal, {0, -1}));
    return {
        {.trace =
                [=](double s) {
                    return Contact{land + s * (tip - land), flankNormal};
                },
            .shape = PieceShape::Line},
        {.trace =
                [=](double s) {
                    return Contact{tip, rotated(flankNormal, s * turn)};
                },
            .shape = PieceShape::Corner},
        {.trace =
                [=](double s) {
                    return Contact{{(1 - s) * tip.x, -depth}, {0, -1}};
                },
            .shape = PieceShape::Line},
    };
}

TEST(Hob, AStraightRackCutsAnInvoluteOfBaseRadiusRCosPhi)
{
    // The polar angle ψ of an involute of base radius Rb at radius r is
    // ψ0 + tan α − α, cos α = Rb / r: a contact angle off by anything
    // bends the curve away from it.
    const double radius = 20;
    const double angle = 20 * kPi / 180;
    const GeneratedGroove cut = generatedHalf(straightRack(angle, 1.5, 1.6), radius, radius + 1.5);
    const double base = radius * std::cos(angle);
    std::optional<double> start;
    int checked = 0;
    for (const Sample& sample : sampleCurve(cut.half)) {
        if (sample.piece != 0 || !(std::hypot(sample.at.x, sample.at.y) > base))
            continue;
        const double alpha = std::acos(base / std::hypot(sample.at.x, sample.at.y));
        const double offset = std::atan2(sample.at.x, sample.at.y) - (std::tan(alpha) - alpha);
        start = start.value_or(offset);
        EXPECT_NEAR(offset, *start, 1e-12) << sample.at.x << " " << sample.at.y;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

TEST(Hob, AStraightRackUndercutsOnlyBeyondRSinSquaredPhi)
{
    // The textbook limit: no interference while the tooth reaches at most
    // R·sin²φ below the pitch line. Within it, the flank's lowest point
    // (depth h, d = h / sin φ along the line of action) is cut at
    // r² = R² + d² − 2·R·d·sin φ and nothing is looped; beyond it, the
    // involute runs down to the base circle R·cos φ, folds back, and the
    // tip corner's trochoid cuts a loop out of it.
    struct Case {
        double angleDegrees;
        double ofLimit;
    };
    const double radius = 20;
    for (const Case& c : {Case{20, 0.6}, Case{20, 0.95}, Case{20, 1.2}, Case{20, 1.5}, Case{14.5, 0.9}, Case{14.5, 1.3},
             Case{25, 0.97}, Case{25, 1.25}}) {
        SCOPED_TRACE(std::to_string(c.angleDegrees) + "° at " + std::to_string(c.ofLimit) + " of the limit");
        const double angle = c.angleDegrees * kPi / 180;
        const double depth = c.ofLimit * radius * std::sin(angle) * std::sin(angle);
        const GeneratedGroove cut
            = generatedHalf(straightRack(angle, depth, 1 + depth * std::tan(angle)), radius, radius + depth);
        // The whole envelope of the flank, loops and all.
        TracedPiece flank = cut.half.front();
        flank.from = 0;
        flank.to = 1;
        const double lowest = -largestOnCurve({flank}, [](Point p) { return -std::hypot(p.x, p.y); });
        const double along = depth / std::sin(angle);
        const double within = std::sqrt(radius * radius + along * along - 2 * radius * along * std::sin(angle));
        EXPECT_NEAR(lowest, c.ofLimit <= 1 ? within : radius * std::cos(angle), 1e-9);
        EXPECT_EQ(cut.loopsCut, c.ofLimit <= 1 ? 0 : 1);
    }
}

TEST(Hob, TheHobCutsItsDesignGrooveAgainLeavingMetalOnlyWhereTrimmed)
{
    struct Case {
        const char* belt;
        int designTeeth;
        bool approximate;
    };
    for (const Case& c : {Case{"XL", 10, false}, Case{"MXL", 24, false}, Case{"H", 14, false}, Case{"T5", 21, false},
             Case{"T10", 12, false}, Case{"XL", 60, false}, Case{"HTD5M", 32, true}, Case{"HTD8M", 22, true}}) {
        const HobTooth tooth = hobTooth(c.belt, c.designTeeth, c.approximate);
        const GrooveDeviation again = grooveDeviation(
            generatedGroove(tooth, c.designTeeth), pulleyOutline(c.belt, c.designTeeth, c.approximate));
        SCOPED_TRACE(std::string(c.belt) + " " + std::to_string(c.designTeeth));
        EXPECT_LE(again.overcut, 1e-9);
        if (tooth.trims.empty())
            EXPECT_LE(again.metalLeft, 1e-9);
        else
            EXPECT_GT(again.metalLeft, 1e-8);
    }
}

TEST(Hob, AHobbedOutlineRepeatsOneMirroredGrooveAndTheHobOnePitch)
{
    const PulleyOutline outline = hobbedOutline("XL", 20, std::nullopt, false);
    ASSERT_TRUE(outline.hobbed);
    const std::size_t perGroove = outline.pieces.size() / 20;
    ASSERT_EQ(perGroove * 20, outline.pieces.size());
    // Groove 0 (after its land) mirrors itself about +y ...
    for (std::size_t i = 1; i < perGroove; ++i) {
        const Point p = outline.pieces[i].start;
        EXPECT_NEAR(p.x, -outline.pieces[perGroove - i].end.x, 1e-12) << i;
        EXPECT_NEAR(p.y, outline.pieces[perGroove - i].end.y, 1e-12) << i;
    }
    // ... and every groove is groove 0 turned by 2π/20 a step.
    for (std::size_t k = 1; k < 20; ++k) {
        for (std::size_t i = 0; i < perGroove; ++i) {
            const Point p = outline.pieces[i].start;
            const Point q = outline.pieces[k * perGroove + i].start;
            const double a = 2 * kPi * static_cast<double>(k) / 20;
            EXPECT_NEAR(q.x, p.x * std::cos(a) - p.y * std::sin(a), 1e-9);
            EXPECT_NEAR(q.y, p.x * std::sin(a) + p.y * std::cos(a), 1e-9);
        }
    }
    // The hob's drawing: one pitch, symmetric, land to land.
    const HobTooth tooth = hobTooth("XL", 10, false);
    const std::vector<OutlinePiece> profile = hobProfile(tooth);
    EXPECT_EQ(profile.front().start, (Point{-2.54, -tooth.landDepth}));
    EXPECT_EQ(profile.back().end, (Point{2.54, -tooth.landDepth}));
    for (std::size_t i = 0; i < profile.size(); ++i) {
        EXPECT_EQ(profile[i].start.x, -profile[profile.size() - 1 - i].end.x);
        EXPECT_EQ(profile[i].start.y, profile[profile.size() - 1 - i].end.y);
    }
}

TEST(Hob, DeviationsAgreeWithASweepOfTheRollAngle)
{
    // Found once by tests/cli/hob_check.py's method: the hobbed contour
    // met along the normals of the table's groove, the contour's grooves
    // placed where a dense sweep of the tooth over the roll angle leaves
    // them.
    struct Case {
        const char* belt;
        int designTeeth;
        int teeth;
        bool approximate;
        double overcut;
        double metalLeft;
    };
    for (const Case& c : {Case{"XL", 10, 20, false, 0.039002, 0.065382}, Case{"MXL", 24, 60, false, 0.009470, 0.019014},
             Case{"HTD5M", 32, 50, true, 0.015531, 0.044899},
             // The design row: the metal that the trimmed tooth leaves.
             Case{"XL", 10, 10, false, 0.000149, 0.029338}}) {
        const GrooveDeviation d
            = grooveDeviation(generatedGroove(hobTooth(c.belt, c.designTeeth, c.approximate), c.teeth),
                pulleyOutline(c.belt, c.teeth, c.approximate));
        EXPECT_NEAR(d.overcut, c.overcut, 1e-3) << c.belt;
        EXPECT_NEAR(d.metalLeft, c.metalLeft, 1e-3) << c.belt;
    }
}

TEST(Hob, RefusesWhatNoHobServesSayingWhy)
{
    struct Case {
        const char* belt;
        double teeth;
        std::optional<double> design;
        HobRefusal reason;
    };
    for (const Case& c : {
             Case{"XL", 9, std::nullopt, HobRefusal::OutsideSegments},
             Case{"XL", 73, std::nullopt, HobRefusal::OutsideSegments},
             Case{"XXL", 20, std::nullopt, HobRefusal::NoSegments},
             // Up to 20 and more than 20 teeth are different T5 rows.
             Case{"T5", 21, 20.0, HobRefusal::DifferentRows},
             Case{"T5", 20, 21.0, HobRefusal::DifferentRows},
             Case{"XL", 15, 12.5, HobRefusal::NotWhole},
             Case{"XL", 15, 2.0, HobRefusal::TooFewTeeth},
         }) {
        try {
            hobFor(c.belt, c.teeth, c.design, false);
            ADD_FAILURE() << c.belt << " " << c.teeth << " has a hob";
        } catch (const HobRefused& refused) {
            EXPECT_EQ(refused.hobReason, c.reason) << c.belt << " " << c.teeth;
        }
    }
    // Beside the segments: a design count given for a count outside them.
    EXPECT_EQ(hobFor("XL", 73, 72.0, false).segment, "");
    EXPECT_EQ(hobFor("XL", 15, std::nullopt, false).designTeeth, 10);
    EXPECT_EQ(hobFor("MXL", 30, 26.0, false).segment, "Z24-R");
}

TEST(Hob, DeviationsAreWrittenToATenthOfAMicrometre)
{
    // A rounding to the tables' three or four decimals, or a "-0.0000"
    // for a groove that is exact, would show here.
    struct Case {
        double millimetres;
        Units units;
        const char* text;
    };
    for (const Case& c : {Case{0.0388747, Units::Millimetres, "0.0389"}, Case{0.0389, Units::Inches, "0.001531"},
             Case{-0.00001, Units::Millimetres, "0.0000"}, Case{-0.0000001, Units::Inches, "0.000000"},
             Case{-0.02076, Units::Millimetres, "-0.0208"}}) {
        EXPECT_EQ(deviationText(c.millimetres, c.units), c.text) << c.millimetres;
    }
}

} // namespace
