// The built-in catalogue of groove profiles: 26 entries for 22 belt types.
#pragma once

#include "calc/profile.h"

#include <span>

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

} // namespace quillon
