// A hob's tooth profile as an SVG drawing, and the lines that describe it.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/hob/hob_tooth.h"

#include <string>
#include <vector>

namespace quillon {

// SVG 1.1 as outlineSvg writes it (width and height in mm or in equal to the
// viewBox, y flipped in the numbers, LF line ends): one pitch of the rack as
// one open <path> (land, flank, tip, flank, land) and the pitch line as a
// second, with a <title> and a <desc> of hobDescription's lines.
std::string hobSvg(const HobTooth& tooth, Units units);

// What a hob is, for people: its pitch and tooth height, the tooth's widths
// on its tip line and on the land line, the flank's angle to the centre line
// at ¼, ½ and ¾ of its height, and where it is trimmed.
//   XL 10 -> {"XL hob designed for 10 teeth: pitch 5.08 mm, tooth height
//             1.65 mm from the land line, which lies 0.254 mm below the
//             pitch line", …}
std::vector<std::string> hobDescription(const HobTooth& tooth, Units units);

} // namespace quillon
