#include "calc/geometry/files/hob_dxf.h"

#include "calc/geometry/files/drawing_number.h"
#include "calc/geometry/files/dxf_document.h"

#include <array>

namespace quillon {
namespace {

constexpr std::string_view kProfileLayer = dxf::handle::kFirstLayer;
constexpr std::string_view kPitchLineLayer = dxf::handle::kFirstFree;
constexpr std::string_view kPolyline = "1D";
constexpr std::string_view kPitchLine = "1E";
constexpr std::string_view kHandleSeed = "1F"; // above every handle used

} // namespace

std::string hobDxf(const HobTooth& tooth, Units units)
{
    const std::vector<OutlinePiece> profile = hobProfile(tooth);
    const double half = drawingLength(tooth.pitch, units) / 2;
    const double bottom = drawingLength(-(tooth.landDepth + tooth.toothHeight), units);
    dxf::DxfText dxf;
    const std::array layers{dxf::Layer{"PROFILE", kProfileLayer}, dxf::Layer{"PITCHLINE", kPitchLineLayer}};
    dxf::writeDrawingStart(
        dxf, units, {{-half, bottom}, {half, 0}, {0, bottom / 2}, 1.2 * (2 * half)}, layers, kHandleSeed);
    dxf(0, "LWPOLYLINE")(5, kPolyline)(330, dxf::handle::kModelSpaceRecord)(100, "AcDbEntity")(8, "PROFILE");
    dxf(100, "AcDbPolyline")(90, static_cast<int>(profile.size() + 1))(70, 0)(43, 0.0);
    for (const OutlinePiece& piece : profile)
        dxf(10, drawingLength(piece.start.x, units))(20, drawingLength(piece.start.y, units));
    dxf(10, drawingLength(profile.back().end.x, units))(20, drawingLength(profile.back().end.y, units));
    dxf(0, "LINE")(5, kPitchLine)(330, dxf::handle::kModelSpaceRecord)(100, "AcDbEntity")(8, "PITCHLINE");
    dxf(100, "AcDbLine")(10, -half)(20, 0.0)(30, 0.0)(11, half)(21, 0.0)(31, 0.0);
    dxf::writeDrawingEnd(dxf);
    return dxf.take();
}

} // namespace quillon
