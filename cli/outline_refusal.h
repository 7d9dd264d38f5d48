// Why an outline cannot be drawn, in the command line's English: for every
// command that draws a pulley.
#pragma once

#include "calc/geometry/outline.h"

#include <string>

namespace quillon::cli {

// The reason as one sentence without a full stop, naming the pulley and the
// numbers that stand in the way.
//   {NoLand, "T2.5", 6} -> "T2.5 at 6 teeth cannot be drawn: no land is left on the outside circle between the grooves"
//   {TeethNotWhole, "XL", 20.5} -> "a pulley has a whole number of teeth, not 20.5"
std::string outlineRefusalText(const OutlineRefusal& reason);

// The message for a command that draws a pulley and has --approximate: the
// reason, and for a groove that can only be drawn approximately, how to.
//   HTD5M 40 -> "HTD5M is drawn only approximately: … (3.25 mm); give --approximate to draw it so"
std::string outlineRefusedMessage(const OutlineRefused& refused);

} // namespace quillon::cli
