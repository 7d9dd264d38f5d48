// A belt drive: two pulleys of one belt type and the belt that joins them.
// Which belt fits at a centre distance, and what centre distance a belt gives.
#pragma once

#include "calc/derived/inches.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The two pulleys of a drive, as the window calculates each of them.
struct PulleyPair {
    int smallTeeth = 0;       // the smaller tooth count; equal counts allowed
    double pitch = 0;         // the belt's pitch, mm (Text2's number)
    double largeDiameter = 0; // pitch diameters, mm, unrounded as pulleyDiameters gives them
    double smallDiameter = 0;
    double halfPitchCircles = 0; // π·(D + d)/2, which is (Z1 + Z2)·pitch/2 exactly
    double touchingCentre = 0;   // half the sum of the two outside diameters as shown (roundTo3):
                                 // at this centre distance or closer the pulleys touch
};

// The pulleys of `beltType` (one of the 22 names) with teeth1 and teeth2 teeth.
//   ("HTD5M", 20, 40) -> pitch 5, largeDiameter 63.6619..., smallDiameter 31.8309...,
//                        touchingCentre (30.691 + 62.522) / 2 = 46.6065
PulleyPair pulleyPair(std::string_view beltType, int teeth1, int teeth2);

// The pitch length of the belt at centre distance C, in mm, for C at least
// half the difference of the pitch diameters:
//   L(C) = 2·C·cos φ + π·(D + d)/2 + φ·(D − d),   φ = asin((D − d) / (2·C)).
// π is kDiameterPi, the constant the diameters come from, so that a belt
// wrapped once round a pulley of Z teeth is Z teeth long; π·(D + d)/2 is
// taken as (Z1 + Z2)·pitch/2, which it equals, without the rounding.
//   equal pulleys of Z teeth: L(C) = 2·C + π·d = 2·C + Z·pitch
double beltPitchLength(const PulleyPair& pulleys, double centre);

// One belt on the drive.
struct BeltFit {
    long long beltTeeth = 0;
    double pitchLength = 0;    // beltTeeth · pitch, mm
    double centreDistance = 0; // the C with L(C) = pitchLength, to within 1e-9 mm or a double's precision
    double wrapAngle = 0;      // on the smaller pulley, degrees: 180 − 2φ
    int teethInMesh = 0;       // floor(smallTeeth · wrapAngle / 360)
};

// The belt of beltTeeth teeth on the drive, or nothing when it is too short:
// no centre distance gives its length, or only one at which the pulleys touch
// (not above touchingCentre).
//   (HTD5M 20/20, 40) -> centre 50, wrap 180, teethInMesh 10
//   (HTD5M 20/20, 32) -> nothing (C = 30: the pulleys, 30.691 across, touch)
std::optional<BeltFit> fitBelt(const PulleyPair& pulleys, long long beltTeeth);

// The belts nearest to a centre distance (in mm, above touchingCentre): the
// longest whose centre distance is at most `centre` and the shortest whose
// centre distance is at least `centre`, in that order; only one where a belt
// gives `centre` exactly (to within 1e-9 mm) or no shorter belt fits. Empty
// when one of them would need more than maxBeltTeeth teeth.
//   (HTD5M 20/20, 50) -> {40 teeth}          (HTD5M 20/20, 51) -> {40, 41 teeth}
//   (HTD5M 20/20, 2499950, 1000000) -> {1000000 teeth}
//   (HTD5M 20/20, 2499951, 1000000) -> {}
std::vector<BeltFit> beltsNearCentre(const PulleyPair& pulleys, double centre, long long maxBeltTeeth);

// The shortest centre distance at which the pulleys do not touch, with the
// decimals of a table (three in millimetres, four in inches), as text: given
// back as a centre distance, it is above touchingCentre.
//   HTD5M 20/40 (touchingCentre 46.6065 mm): mm -> "46.607"   in -> "1.835"
//   HTD5M 20/20 (touchingCentre 30.691 mm):  mm -> "30.692"   in -> "1.2084"
std::string leastCentreText(const PulleyPair& pulleys, Units units);

// Rounds to two decimals, for angles, by the rule of roundTo3: halfway
// values go up, also when negative. floor(value · 100 + 0.5) / 100.
//   179.995 -> 180   -0.125 -> -0.12   12.344 -> 12.34
double roundTo2(double value);

// The texts of a belt fit: beltTeeth, pitchLength, centreDistance, wrapAngle,
// teethInMesh. Lengths are roundTo3 in millimetres or the inch rule
// (inchText) in inches; the wrap angle is roundTo2 degrees in both.
//   HTD5M 20/40, 90 teeth, mm -> "90", "450", "149.15", "167.75", "9"
std::array<std::string, 5> showBeltFit(const BeltFit& fit, Units units);

} // namespace quillon
