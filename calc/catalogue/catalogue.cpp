#include "calc/catalogue/catalogue.h"

#include "calc/algorithms.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quillon {

std::span<const ProfileEntry> profileCatalogue()
{
    static const auto entries = [] {
        std::array<ProfileEntry, 26> all{};
        auto out = all.begin();
        for (auto family : {trapezoidalInchEntries(), tSeriesEntries(), htdEntries(), stpdEntries()})
            out = std::copy(family.begin(), family.end(), out);
        return all;
    }();
    return entries;
}

std::optional<BeltFamily> beltFamily(std::string_view beltType)
{
    const std::pair<BeltFamily, std::span<const ProfileEntry>> families[] = {
        {BeltFamily::TrapezoidalInch, trapezoidalInchEntries()},
        {BeltFamily::T, tSeriesEntries()},
        {BeltFamily::Htd, htdEntries()},
        {BeltFamily::Stpd, stpdEntries()},
    };
    for (const auto& [family, rows] : families) {
        if (anyOf(rows, [&](const ProfileEntry& row) { return row.beltType == beltType; }))
            return family;
    }
    return std::nullopt;
}

} // namespace quillon
