// Which hob cuts a pulley, and the contour of the pulley as it cuts it.
#pragma once

#include "calc/geometry/hob/deviation.h"
#include "calc/geometry/hob/hob_tooth.h"
#include "calc/geometry/outline.h"

#include <optional>
#include <string_view>

namespace quillon {

// The hob for a tooth count: the segment of its table row that holds it (or
// none, where a design count is given for a count outside every segment)
// and the count the hob is designed for.
struct HobChoice {
    std::string_view segment; // as the segment line writes it, "Z24-R"; empty when none
    int designTeeth = 0;
    int firstTeeth = 0; // the segment's range; 0 when none
    std::optional<int> lastTeeth{};
};

// The hob of the segment that toothCount falls in, designed for its first
// count unless designTeeth names another. Throws OutlineRefused as
// pulleyOutline does for the pulley of toothCount teeth, and HobRefused (hob_refusal.h)
// for a count outside every segment or a row without segments (unless
// designTeeth is given) and for a design count on another table row.
//   ("XL", 15, none) -> {"Z10-20", 10, 10, 20}   ("MXL", 30, 26) -> {"Z24-R", 26, 24, none}
HobChoice hobFor(std::string_view beltType, double toothCount, std::optional<double> designTeeth, bool approximate);

// The pulley of toothCount teeth as its segment's hob (or the hob for
// designTeeth) cuts it: the land arcs on the outside circle, and each
// generated groove as arcs of the root circle where the tooth's tip line
// cuts and short lines elsewhere, every vertex on the exact generated
// boundary (to rounding) and every line within 1 µm of it. hobbed says which
// hob and how far its grooves stray from the table's. Throws as hobFor
// does, and HobRefused when the grooves meet.
//   ("XL", 20, none, false).hobbed->designTeeth -> 10
PulleyOutline hobbedOutline(
    std::string_view beltType, double toothCount, std::optional<double> designTeeth, bool approximate);

} // namespace quillon
