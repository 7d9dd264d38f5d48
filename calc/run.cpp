#include "calc/run.h"

#include "calc/catalogue/catalogue.h"

#include <cmath>

namespace quillon {
namespace {

// The twenty boxes in the order they are filled and written.
constexpr std::array<std::string_view, RunResult::kBoxCount> kBoxOrder = {
    "Text2",
    "Text13",
    "Text3",
    "Text4",
    "Text5",
    "Text6",
    "Text7",
    "Text8",
    "Text9",
    "Text10",
    "Text11",
    "Text14",
    "Text15",
    "Text16",
    "Text17",
    "Text18",
    "Text12",
    "Text19",
    "Text20",
    "Text21",
};

} // namespace

GrooveProfile selectProfile(std::string_view beltType, double toothCount)
{
    for (const ProfileEntry& entry : profileCatalogue()) {
        if (entry.beltType == beltType && holds(entry.condition, toothCount))
            return entry.profile;
    }
    return GrooveProfile{};
}

std::string_view RunResult::text(std::string_view boxName) const
{
    for (const Box& box : boxes_) {
        if (box.name == boxName)
            return box.text;
    }
    throw std::invalid_argument("No result box is named " + std::string(boxName) + ".");
}

Diameters pulleyDiameters(const GrooveProfile& profile, double toothCount)
{
    Diameters diameters;
    diameters.pitch = (profile.pitch.number() * toothCount) / kDiameterPi;
    diameters.outside = diameters.pitch - profile.twiceTipOffset.number();
    diameters.root = diameters.outside - (2 * profile.grooveDepth.number());
    return diameters;
}

Pulley calculatePulley(std::string_view beltType, double toothCount)
{
    Pulley pulley{.profile = selectProfile(beltType, toothCount)};
    pulley.diameters = pulleyDiameters(pulley.profile, toothCount);
    return pulley;
}

RunResult showPulley(const Pulley& pulley, std::string_view decimalSeparator)
{
    const GrooveProfile& profile = pulley.profile;
    const auto plain = [&](const ProfileValue& value) { return plainText(value, decimalSeparator); };
    const auto fixed = [&](const ProfileValue& value) { return fixedText(value, decimalSeparator); };
    const auto diameter = [&](double value) { return plainText(roundTo3(value), decimalSeparator); };

    // The same order as kBoxOrder.
    std::array<std::string, RunResult::kBoxCount> texts = {
        plain(profile.pitch),
        diameter(pulley.diameters.pitch),
        diameter(pulley.diameters.outside),
        diameter(pulley.diameters.root),
        fixed(profile.bottomWidth),
        plain(profile.topWidth),
        fixed(profile.grooveDepth),
        plain(profile.halfAngle),
        fixed(profile.tipRadius),
        fixed(profile.rootRadius),
        fixed(profile.twiceTipOffset),
        plain(profile.bottomWidthTol),
        plain(profile.grooveDepthTol),
        plain(profile.halfAngleTol),
        plain(profile.tipRadiusTol),
        plain(profile.rootRadiusTol),
        plain(profile.flankRadius),
        plain(profile.segmentLine1),
        plain(profile.segmentLine2),
        plain(profile.topWidthTol),
    };
    RunResult result;
    for (std::size_t i = 0; i < RunResult::kBoxCount; ++i)
        result.boxes_[i] = {kBoxOrder[i], std::move(texts[i])};
    return result;
}

RunResult runCalculation(std::string_view beltType, std::string_view toothCountText, std::string_view decimalSeparator)
{
    return showPulley(calculatePulley(beltType, readToothCount(toothCountText)), decimalSeparator);
}

} // namespace quillon
