// The hob's tooth: the rack tooth that cuts a table's groove on the pulley
// it is designed for. Rack frame: x along the pitch line, y = 0 on it, the
// tooth centred on x = 0 and pointing toward -y, teeth one pitch apart. At
// roll angle θ the rack point (x, y) lies at Rot(θ)·(x + Rθ, R + y) in the
// pulley's frame (axis at (0, 0), groove 0 centred on +y), R the pitch
// radius: at θ = 0 the tooth's tip line sits on the root circle at the
// bottom of groove 0.
#pragma once

#include "calc/diameters.h"
#include "calc/geometry/hob/traced_curve.h"
#include "calc/geometry/outline.h"
#include "calc/profile.h"

#include <array>
#include <string_view>
#include <vector>

namespace quillon {

// Where the groove's image crosses itself and the tooth is cut back: the
// crossing in the rack frame, and which pieces of the design groove the two
// sides are the images of (hobGroovePieceName names them).
struct HobTrim {
    Point at;
    int before = 0;
    int after = 0;
};

// A hob's tooth. flank is its right side in the rack frame, from the land
// line y = -landDepth down to the centre line on the tip line y = -landDepth
// - toothHeight: the tip line as a line, the images of the groove's pieces
// as curves, and a corner where the image was trimmed. Its normals point out
// of the tooth.
struct HobTooth {
    std::string_view beltType; // the catalogue's name
    int designTeeth = 0;
    GrooveProfile profile{};
    Diameters designDiameters{};
    GrooveConstruction construction = GrooveConstruction::StraightFlanks;
    bool approximate = false;
    double pitch = 0;
    double landDepth = 0;   // a: the land line's depth below the pitch line
    double toothHeight = 0; // the groove depth
    hob::TracedCurve flank{};
    std::vector<HobTrim> trims{};
};

// The hob tooth for the design pulley of designTeeth teeth of the belt type:
// every rack point that no roll position carries into the design pulley's
// material, the pulley as pulleyOutline draws it. Each groove point touches
// the rack at the roll angle where its normal passes through the pitch
// point, which is closed form: cos(θ − φn) = −(P × n) / R, the root nearer
// θ = 0. Throws OutlineRefused as pulleyOutline does, and HobRefused when
// the tooth's flanks cross.
//   ("XL", 10) -> flank from (2.37…, −0.254) to (0, −1.904), one trim
HobTooth hobTooth(std::string_view beltType, int designTeeth, bool approximate);

// Figures of a hob tooth for its drawing's caption, lengths in mm: its
// width on the tip line and on the land line, and the angle (degrees) of
// its flank to the tooth's centre line at ¼, ½ and ¾ of its height from the
// land line down.
struct HobToothFigures {
    bool flatTip = true; // a tip line; else the tip is round (HTD's bottom arc), tipWidth where it meets the flanks
    double tipWidth = 0;
    double landWidth = 0;
    std::array<double, 3> flankAngles{};
};
HobToothFigures hobToothFigures(const HobTooth& tooth);

// One pitch of the rack in the rack frame, x from −pitch/2 to +pitch/2:
// land, left flank, tip line, right flank, land, as lines; the flanks as
// short lines between points of the exact profile, within 1 µm of it.
std::vector<OutlinePiece> hobProfile(const HobTooth& tooth);

// The rack image of a groove's right half (pieces from the outside circle to
// the centre line, the last one ending on it) on a pitch circle of
// radiuspitchRadius, loops not yet cut.
hob::TracedCurve rackImage(const std::vector<OutlinePiece>& rightHalf, double pitchRadius);

// The right half of groove 0 of an outline: its pieces after the land, down
// to the centre line (the bottom's first half).
std::vector<OutlinePiece> rightHalfOfGroove(const PulleyOutline& outline);

// The name of a piece of the design groove's right half, for messages:
// "tip fillet", "flank", "root fillet", "root arc" or "bottom arc".
std::string_view hobGroovePieceName(GrooveConstruction construction, int piece);

// A groove piece as a traced curve: its points, the normals into the
// pulley's material (on the left of the piece's direction of travel).
hob::TracedPiece tracedOutlinePiece(const OutlinePiece& piece, int origin);

} // namespace quillon
