// Why an outline cannot be drawn, in the command line's English: for every
// command that draws a pulley.
#pragma once

#include "calc/geometry/outline.h"
#include "cli/command_line.h"

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

// TEETH of a command that draws a pulley, read as run and the window read
// it, so that the same text draws the pulley they calculate; then a whole
// number from 3, or an InputError that says what the text read as. The
// outline's upper limit is its own.
//   "&H14" -> 20   "２０" -> 20   "abc" -> throws ("TEETH \"abc\" reads as 0: …")
double drawnTeeth(const std::string& text);

// The outline a command draws: pulleyOutline, or with --hobbed the outline
// its hob cuts (hobbedOutline); a refusal is an InputError worded as
// outlineRefusedMessage or hobRefusedMessage.
PulleyOutline drawnOutline(std::string_view beltType, double teeth, bool approximate, const HobbedOption& hobbed = {});

} // namespace quillon::cli
