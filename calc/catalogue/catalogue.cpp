#include "calc/catalogue/catalogue.h"

#include <algorithm>
#include <array>

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

} // namespace quillon
