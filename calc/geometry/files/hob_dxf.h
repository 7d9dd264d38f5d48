// A hob's tooth profile as a DXF drawing for the tool maker.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/hob/hob_tooth.h"

#include <string>

namespace quillon {

// DXF R2000 as outlineDxf writes it ($INSUNITS, $MEASUREMENT, CRLF, the same
// bytes for the same hob), in the rack frame: one pitch of the rack from
// x = −pitch/2 to +pitch/2 as one open LWPOLYLINE on layer PROFILE (land,
// flank, tip, flank, land), and the pitch line y = 0 as a LINE on layer
// PITCHLINE. Lengths in millimetres, or in inches (÷ 25.4, unrounded).
std::string hobDxf(const HobTooth& tooth, Units units);

} // namespace quillon
