#include "calc/derived/drive.h"

#include "calc/number_text.h"
#include "calc/run.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillon {
namespace {

// Half the angle by which the belt leaves the straight: φ of the length formula.
double leavingAngle(const PulleyPair& pulleys, double centre)
{
    return std::asin(std::min(1.0, (pulleys.largeDiameter - pulleys.smallDiameter) / (2 * centre)));
}

// The shortest centre distance the length formula knows: the belt's straight
// parts have no length and it wraps the whole larger pulley.
double shortestCentre(const PulleyPair& pulleys)
{
    return (pulleys.largeDiameter - pulleys.smallDiameter) / 2;
}

// The C with L(C) = length, by bisection down to neighbouring doubles (well
// within 1e-9 mm below a million millimetres): L grows with C
// (dL/dC = 2·cos φ), and L(C) ≥ 2·C bounds C by length / 2. Needs
// L(shortestCentre) ≤ length. Of the two last bounds, the one whose length is
// nearer.
double centreForLength(const PulleyPair& pulleys, double length)
{
    double low = shortestCentre(pulleys);
    double high = std::max(low, length / 2);
    while (true) {
        const double middle = low + (high - low) / 2;
        if (middle <= low || middle >= high)
            break;
        (beltPitchLength(pulleys, middle) < length ? low : high) = middle;
    }
    const double lowError = length - beltPitchLength(pulleys, low);
    const double highError = beltPitchLength(pulleys, high) - length;
    return lowError < highError ? low : high;
}

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

} // namespace

PulleyPair pulleyPair(std::string_view beltType, int teeth1, int teeth2)
{
    const Pulley first = calculatePulley(beltType, teeth1);
    const Pulley second = calculatePulley(beltType, teeth2);
    PulleyPair pulleys{
        .smallTeeth = std::min(teeth1, teeth2),
        .pitch = first.profile.pitch.number(),
        .largeDiameter = std::max(first.diameters.pitch, second.diameters.pitch),
        .smallDiameter = std::min(first.diameters.pitch, second.diameters.pitch),
        .halfPitchCircles = (static_cast<double>(teeth1) + teeth2) * first.profile.pitch.number() / 2,
        .touchingCentre = (roundTo3(first.diameters.outside) + roundTo3(second.diameters.outside)) / 2,
    };
    return pulleys;
}

double beltPitchLength(const PulleyPair& pulleys, double centre)
{
    const double large = pulleys.largeDiameter;
    const double small = pulleys.smallDiameter;
    const double phi = leavingAngle(pulleys, centre);
    return 2 * centre * std::cos(phi) + pulleys.halfPitchCircles + phi * (large - small);
}

std::optional<BeltFit> fitBelt(const PulleyPair& pulleys, long long beltTeeth)
{
    const double length = static_cast<double>(beltTeeth) * pulleys.pitch;
    if (beltTeeth < 1 || length < beltPitchLength(pulleys, shortestCentre(pulleys)))
        return std::nullopt;
    BeltFit fit{.beltTeeth = beltTeeth, .pitchLength = length, .centreDistance = centreForLength(pulleys, length)};
    if (!(fit.centreDistance > pulleys.touchingCentre))
        return std::nullopt;
    fit.wrapAngle = 180 - 2 * leavingAngle(pulleys, fit.centreDistance) * kDegreesPerRadian;
    fit.teethInMesh = static_cast<int>(std::floor(pulleys.smallTeeth * fit.wrapAngle / 360));
    return fit;
}

std::vector<BeltFit> beltsNearCentre(const PulleyPair& pulleys, double centre, long long maxBeltTeeth)
{
    constexpr double kSame = 1e-9; // centre distances closer than this are one
    const double teeth = beltPitchLength(pulleys, centre) / pulleys.pitch;
    // Far enough beyond the limit that rounding in the quotient cannot matter;
    // the belts themselves are checked below.
    if (!(teeth < static_cast<double>(maxBeltTeeth) + 2))
        return {};
    // The longest belt not beyond the centre: floor(teeth) but for rounding
    // in the quotient, which the centre distances themselves settle.
    long long shorter = static_cast<long long>(std::floor(teeth));
    const auto beyond = [&](long long beltTeeth) {
        const auto fit = fitBelt(pulleys, beltTeeth);
        return fit && fit->centreDistance > centre + kSame;
    };
    if (!beyond(shorter + 1))
        ++shorter;
    else if (beyond(shorter))
        --shorter;
    std::vector<BeltFit> belts;
    if (const auto fit = fitBelt(pulleys, shorter))
        belts.push_back(*fit);
    const bool exact = !belts.empty() && std::fabs(belts.back().centreDistance - centre) <= kSame;
    if (!exact) {
        if (const auto fit = fitBelt(pulleys, shorter + 1))
            belts.push_back(*fit);
    }
    // Also when the centre is exactly that of a belt beyond the limit.
    if (!belts.empty() && belts.back().beltTeeth > maxBeltTeeth)
        return {};
    return belts;
}

std::string leastCentreText(const PulleyPair& pulleys, Units units)
{
    const double perUnit = units == Units::Inches ? 25.4 : 1;
    const double scale = units == Units::Inches ? 1e4 : 1e3;
    // steps / scale is the double that its text reads back as: both are the
    // nearest double to the same decimal.
    double steps = std::ceil(pulleys.touchingCentre / perUnit * scale);
    while (!(steps / scale * perUnit > pulleys.touchingCentre))
        ++steps;
    return plainText(steps / scale);
}

double roundTo2(double value)
{
    return std::floor(value * 100.0 + 0.5) / 100.0;
}

std::array<std::string, 5> showBeltFit(const BeltFit& fit, Units units)
{
    return {std::to_string(fit.beltTeeth), lengthText(fit.pitchLength, units), lengthText(fit.centreDistance, units),
        plainText(roundTo2(fit.wrapAngle)), wholeNumberText(fit.teethInMesh)};
}

} // namespace quillon
