// Belt drives: the belt length formula, its solution and the nearest belts.

#include "calc/derived/drive.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillon;

namespace {

TEST(Drive, BeltLengthWorkedByHand)
{
    // HTD5M 20 and 40 teeth: d = 100/3.14159265, D = 2d, so π·d = 100 and at
    // C = D − d the belt leaves at φ = 30°: L = C·(√3 + π/6) + 150.
    const PulleyPair pulleys = pulleyPair("HTD5M", 40, 20);
    EXPECT_NEAR(beltPitchLength(pulleys, pulleys.largeDiameter - pulleys.smallDiameter), 221.7995562908888, 1e-9);
    // Equal pulleys: L = 2C + π·d, with π·d exactly the pulley's 20 teeth.
    EXPECT_NEAR(beltPitchLength(pulleyPair("HTD5M", 20, 20), 50), 200, 1e-9);
}

TEST(Drive, CentreDistanceGivesTheBeltLengthBack)
{
    for (const auto& [belt, z1, z2, beltTeeth] : {std::tuple{"MXL", 10, 80, 100}, {"HTD5M", 40, 20, 83},
             {"STPD S14M", 200, 30, 1000}, {"T2.5", 1, 1000000, 3000000}}) {
        const PulleyPair pulleys = pulleyPair(belt, z1, z2);
        const auto fit = fitBelt(pulleys, beltTeeth);
        ASSERT_TRUE(fit) << belt;
        EXPECT_EQ(fit->pitchLength, beltTeeth * pulleys.pitch);
        // Within 1e-9 mm of the solution: L changes by at most 2 per mm of C.
        EXPECT_NEAR(
            beltPitchLength(pulleys, fit->centreDistance), fit->pitchLength, std::max(2e-9, fit->pitchLength * 1e-15))
            << belt;
    }
}

TEST(Drive, BeltTooShortToFitGivesNothing)
{
    // HTD5M 20/20: outside diameters 30.691, so the pulleys touch at 30.691;
    // 32 teeth (C = 30) cannot go round them, 33 (C = 32.5) can.
    const PulleyPair pulleys = pulleyPair("HTD5M", 20, 20);
    EXPECT_DOUBLE_EQ(pulleys.touchingCentre, 30.691);
    EXPECT_FALSE(fitBelt(pulleys, 32));
    EXPECT_FALSE(fitBelt(pulleys, 19)); // not even round one pulley
    ASSERT_TRUE(fitBelt(pulleys, 33));
    EXPECT_NEAR(fitBelt(pulleys, 33)->centreDistance, 32.5, 1e-9);
}

TEST(Drive, NearestBeltsOnEitherSideOfTheCentre)
{
    const PulleyPair equal = pulleyPair("HTD5M", 20, 20);
    const auto teethOf = [](const std::vector<BeltFit>& fits) {
        std::vector<long long> teeth;
        for (const BeltFit& fit : fits)
            teeth.push_back(fit.beltTeeth);
        return teeth;
    };
    EXPECT_EQ(teethOf(beltsNearCentre(equal, 51, 1000000)), (std::vector<long long>{40, 41}));
    EXPECT_EQ(teethOf(beltsNearCentre(equal, 50, 1000000)), (std::vector<long long>{40})); // exactly
    EXPECT_EQ(teethOf(beltsNearCentre(equal, 31, 1000000)), (std::vector<long long>{33})); // 32 does not fit
    EXPECT_TRUE(beltsNearCentre(equal, 1e9, 1000000).empty());
    // Up to the longest belt allowed, and not beyond it.
    EXPECT_EQ(teethOf(beltsNearCentre(equal, 2499950, 1000000)), (std::vector<long long>{1000000}));
    EXPECT_TRUE(beltsNearCentre(equal, 2499951, 1000000).empty());
    EXPECT_TRUE(beltsNearCentre(equal, 2499952.5, 1000000).empty()); // exactly the belt of 1000001

    // Unequal pulleys: each side checked by its own centre distance.
    const PulleyPair unequal = pulleyPair("MXL", 10, 80);
    for (double centre : {50.0, 60.0, 123.456, 500.0}) {
        const auto fits = beltsNearCentre(unequal, centre, 1000000);
        ASSERT_EQ(fits.size(), 2u) << centre;
        EXPECT_LE(fits[0].centreDistance, centre);
        EXPECT_GE(fits[1].centreDistance, centre);
        EXPECT_EQ(fits[1].beltTeeth, fits[0].beltTeeth + 1);
    }
}

TEST(Drive, TeethInMeshAreWholeTeethWithinTheWrap)
{
    // Equal pulleys wrap 180°: 12 teeth give exactly 6; 13 against 12 wrap
    // less than 180° on the 12, however long the belt: 5.
    EXPECT_EQ(fitBelt(pulleyPair("T5", 12, 12), 100)->teethInMesh, 6);
    EXPECT_EQ(fitBelt(pulleyPair("T5", 11, 11), 100)->teethInMesh, 5);
    const auto wider = fitBelt(pulleyPair("T5", 13, 12), 100000);
    EXPECT_LT(wider->wrapAngle, 180);
    EXPECT_EQ(wider->teethInMesh, 5);
}

TEST(Drive, TextsInMillimetresAndInches)
{
    // Inches from the unrounded 129.3025 mm (5.09065 in), not from 129.303.
    const BeltFit fit{.beltTeeth = 90, .pitchLength = 450, .centreDistance = 129.3025, .wrapAngle = 165.755};
    EXPECT_EQ(
        showBeltFit(fit, Units::Millimetres), (std::array<std::string, 5>{"90", "450", "129.303", "165.76", "0"}));
    EXPECT_EQ(showBeltFit(fit, Units::Inches), (std::array<std::string, 5>{"90", "17.7165", "5.0906", "165.76", "0"}));
    EXPECT_EQ(roundTo2(-0.125), -0.12); // halfway goes up, as in roundTo3
    EXPECT_EQ(roundTo2(179.995), 180);
}

TEST(Drive, TheLeastCentreShownIsAboveWhereThePulleysTouch)
{
    const PulleyPair unequal = pulleyPair("HTD5M", 20, 40); // touching at 46.6065 mm, 1.8349016 in
    const PulleyPair equal = pulleyPair("HTD5M", 20, 20);   // touching at 30.691 mm exactly
    EXPECT_EQ(leastCentreText(unequal, Units::Millimetres), "46.607");
    EXPECT_EQ(leastCentreText(unequal, Units::Inches), "1.835");
    EXPECT_EQ(leastCentreText(equal, Units::Millimetres), "30.692");
    EXPECT_EQ(leastCentreText(equal, Units::Inches), "1.2084");
}

} // namespace
