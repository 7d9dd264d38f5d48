#include "calc/run.h"

#include "calc/catalogue/catalogue.h"

#include <cmath>

namespace quillon {

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

std::string boxText(const TableColumn& column, const Pulley& pulley, std::string_view decimalSeparator)
{
    switch (column.rule) {
    case Plain:
        return plainText(pulley.profile.*column.field, decimalSeparator);
    case Fixed:
        return fixedText(pulley.profile.*column.field, decimalSeparator);
    case Round:
        return plainText(roundTo3(pulley.diameters.*column.diameter), decimalSeparator);
    case None:
        break;
    }
    return {};
}

RunResult showPulley(const Pulley& pulley, std::string_view decimalSeparator)
{
    RunResult result;
    for (std::size_t i = 0; i < RunResult::kBoxCount; ++i) {
        const TableColumn& column = kTableColumns[kBoxWriteOrder[i]];
        result.boxes_[i] = {column.box, boxText(column, pulley, decimalSeparator)};
    }
    return result;
}

RunResult runCalculation(std::string_view beltType, std::string_view toothCountText, std::string_view decimalSeparator)
{
    return showPulley(calculatePulley(beltType, readToothCount(toothCountText)), decimalSeparator);
}

} // namespace quillon
