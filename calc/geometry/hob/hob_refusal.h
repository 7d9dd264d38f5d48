// Why a hob cannot be made or a hobbed pulley drawn, as data: the command
// line words each reason in English (cli/hob_command.cpp), a page may word
// it in its own language. The numbers stay as they are.
#pragma once

#include "calc/geometry/outline.h"

#include <string>
#include <string_view>

namespace quillon {

enum class HobRefusal {
    FlanksCross = 1,     // the tooth's flanks cross each other: it comes to a point
    NoContact = 2,       // a point of the design groove never touches the rack
    OutsideSegments = 3, // the tooth count lies in no segment of its table row
    NoSegments = 4,      // the table row gives no segments
    DifferentRows = 5,   // the design count and the tooth count pick different table rows
    GroovesMeet = 6,     // the hob cuts the land away between the grooves
    NotWhole = 7,        // a tooth count or design count that is not whole
    TooFewTeeth = 8,     // a tooth count or design count below 3 or above kMaxOutlineTeeth
};

// A refusal with what the message needs: the belt type, the tooth count
// and the design count (0 where there is none). As an OutlineRefused, its
// obstacle is NoHob.
class HobRefused : public OutlineRefused {
public:
    HobRefused(HobRefusal reason, std::string_view beltType, double teeth, double designTeeth = 0)
        : OutlineRefused({.obstacle = OutlineObstacle::NoHob, .beltType = std::string(beltType), .toothCount = teeth}),
          hobReason(reason),
          beltType(beltType),
          teeth(teeth),
          designTeeth(designTeeth)
    {
    }
    HobRefusal hobReason;
    std::string_view beltType; // the catalogue's name
    double teeth;              // the count refused (for NotWhole and TooFewTeeth, the one at fault)
    double designTeeth;
};

} // namespace quillon
