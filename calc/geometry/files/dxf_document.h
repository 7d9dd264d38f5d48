// The frame of a DXF R2000 drawing that every drawing file shares: the
// header, the tables, the blocks and the objects, with fixed handles so that
// the same drawing gives the same bytes. A writer adds its entities between
// writeDrawingStart and writeDrawingEnd.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/outline.h"

#include <span>
#include <string>
#include <string_view>

namespace quillon::dxf {

// Handles of the shared records; a drawing's own layers and entities take
// handles from kFirstFree up.
namespace handle {
constexpr std::string_view kLayerZero = "F";
constexpr std::string_view kModelSpaceRecord = "B";
constexpr std::string_view kFirstLayer = "10";
constexpr std::string_view kFirstFree = "1C";
} // namespace handle

// Group code and value pairs, each on two lines, the code right-aligned in
// three places as AutoCAD writes it.
class DxfText {
public:
    DxfText& operator()(int code, std::string_view value);
    DxfText& operator()(int code, double value);
    DxfText& operator()(int code, int value);
    DxfText& operator()(int code, const char* value) { return (*this)(code, std::string_view(value)); }

    // A symbol table's head, for `count` records.
    void tableStart(std::string_view name, std::string_view tableHandle, int count);
    // A table record's head, owned by its table.
    void recordStart(
        std::string_view type, std::string_view recordHandle, std::string_view tableHandle, std::string_view subclass);

    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

// A layer of the drawing besides layer 0, with its handle.
struct Layer {
    std::string_view name;
    std::string_view handle;
};

// What the header and the active view say of the drawing, in the file's
// units: its extents, and the height the view shows about its centre.
struct DrawingFrame {
    Point lowest;
    Point highest;
    Point viewCentre;
    double viewHeight = 0;
};

// The header ($INSUNITS and $MEASUREMENT for the units, $HANDSEED above every
// handle), the classes, the tables with the drawing's layers after layer 0,
// the blocks, and the start of the entities.
void writeDrawingStart(
    DxfText& dxf, Units units, const DrawingFrame& frame, std::span<const Layer> layers, std::string_view handleSeed);

// The end of the entities, the objects and the end of the file.
void writeDrawingEnd(DxfText& dxf);

} // namespace quillon::dxf
