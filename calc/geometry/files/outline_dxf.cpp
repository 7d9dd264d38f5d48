#include "calc/geometry/files/outline_dxf.h"

#include "calc/geometry/files/drawing_number.h"
#include "calc/geometry/files/dxf_document.h"
#include "calc/geometry/portable_math.h"
#include "calc/number_text.h"

#include <array>

// The contour as one closed LWPOLYLINE on layer OUTLINE.

namespace quillon {
namespace {

constexpr std::string_view kPolyline = dxf::handle::kFirstFree;
constexpr std::string_view kHandleSeed = "1D"; // above every handle used

} // namespace

std::string outlineDxf(const PulleyOutline& outline, Units units)
{
    dxf::DxfText dxf;
    const double reach = drawingLength(outline.diameters.outside, units) / 2;
    const std::array layers{dxf::Layer{"OUTLINE", dxf::handle::kFirstLayer}};
    dxf::writeDrawingStart(dxf, units, {{-reach, -reach}, {reach, reach}, {0, 0}, 2.2 * reach}, layers, kHandleSeed);
    // One vertex a piece, at its start, with the bulge of the piece that
    // leaves it: the tangent of a quarter of its sweep, positive
    // counter-clockwise, 0 (left out) for a straight line.
    dxf(0, "LWPOLYLINE")(5, kPolyline)(330, dxf::handle::kModelSpaceRecord)(100, "AcDbEntity")(8, "OUTLINE");
    dxf(100, "AcDbPolyline")(90, static_cast<int>(outline.pieces.size()))(70, 1)(43, 0.0);
    for (const OutlinePiece& piece : outline.pieces) {
        dxf(10, drawingLength(piece.start.x, units))(20, drawingLength(piece.start.y, units));
        if (piece.sweep != 0)
            dxf(42, portableTan(piece.sweep / 4));
    }
    dxf::writeDrawingEnd(dxf);
    return dxf.take();
}

} // namespace quillon
