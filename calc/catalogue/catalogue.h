// The built-in catalogue of groove profiles: 26 entries for 22 belt types.
#pragma once

#include "calc/profile.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace quillon {

// Each family's rows, in the order they are searched.
std::span<const ProfileEntry> trapezoidalInchEntries(); // MXL, XL, L, H, XH, XXH, XXL
std::span<const ProfileEntry> tSeriesEntries();         // T2.5 to T20, two rows each
std::span<const ProfileEntry> htdEntries();             // HTD3M to HTD20M
std::span<const ProfileEntry> stpdEntries();            // STPD S2M to STPD S14M

// The whole catalogue in search order: the trapezoidal inch series, the
// T series, HTD, then STPD. Names are distinct except for the T series, whose
// two rows per name have exclusive conditions, so at most one entry matches.
//   profileCatalogue().size() -> 26
//   profileCatalogue()[6].beltType -> "XXL"
std::span<const ProfileEntry> profileCatalogue();

// The 22 belt types in the order the window lists them. The list differs from
// the search order ("XXL" is second here); it decides nothing about selection.
// clang-format off
inline constexpr std::array<std::string_view, 22> kBeltTypes = {
    "MXL", "XXL", "XL", "L", "H", "XH", "XXH",
    "T2.5", "T5", "T10", "T20",
    "HTD3M", "HTD5M", "HTD8M", "HTD14M", "HTD20M",
    "STPD S2M", "STPD S3M", "STPD S4.5M", "STPD S5M", "STPD S8M", "STPD S14M",
};
// clang-format on

enum class BeltFamily { TrapezoidalInch, T, Htd, Stpd };

// The family whose rows a belt type names, or nothing for a name no row has.
//   "MXL" -> TrapezoidalInch   "T2.5" -> T   "STPD S2M" -> Stpd   "mxl" -> nothing
std::optional<BeltFamily> beltFamily(std::string_view beltType);

} // namespace quillon
