#include "calc/geometry/files/dxf_document.h"

#include "calc/geometry/files/drawing_number.h"
#include "calc/number_text.h"

#include <array>

// The few sections and table records an R2000 reader expects.

namespace quillon::dxf {
namespace {

// Handles are fixed, so that the same drawing gives the same bytes.
namespace handle {
using dxf::handle::kLayerZero;
using dxf::handle::kModelSpaceRecord;
constexpr std::string_view kBlockRecordTable = "1";
constexpr std::string_view kLayerTable = "2";
constexpr std::string_view kStyleTable = "3";
constexpr std::string_view kLinetypeTable = "5";
constexpr std::string_view kViewTable = "6";
constexpr std::string_view kUcsTable = "7";
constexpr std::string_view kViewportTable = "8";
constexpr std::string_view kAppIdTable = "9";
constexpr std::string_view kDimStyleTable = "A";
constexpr std::string_view kPaperSpaceRecord = "C";
constexpr std::string_view kRootDictionary = "D";
constexpr std::string_view kGroupDictionary = "E";
constexpr std::string_view kLinetypeByBlock = "11";
constexpr std::string_view kLinetypeByLayer = "12";
constexpr std::string_view kLinetypeContinuous = "13";
constexpr std::string_view kStyleStandard = "14";
constexpr std::string_view kAppIdAcad = "15";
constexpr std::string_view kDimStyleStandard = "16";
constexpr std::string_view kViewportActive = "17";
constexpr std::string_view kModelSpaceBlock = "18";
constexpr std::string_view kModelSpaceEnd = "19";
constexpr std::string_view kPaperSpaceBlock = "1A";
constexpr std::string_view kPaperSpaceEnd = "1B";
} // namespace handle

void writeHeader(DxfText& dxf, Units units, const DrawingFrame& frame, std::string_view handleSeed)
{
    dxf(0, "SECTION")(2, "HEADER");
    dxf(9, "$ACADVER")(1, "AC1015");
    dxf(9, "$HANDSEED")(5, handleSeed);
    dxf(9, "$INSUNITS")(70, units == Units::Inches ? 1 : 4);
    dxf(9, "$MEASUREMENT")(70, units == Units::Inches ? 0 : 1);
    dxf(9, "$EXTMIN")(10, frame.lowest.x)(20, frame.lowest.y)(30, 0.0);
    dxf(9, "$EXTMAX")(10, frame.highest.x)(20, frame.highest.y)(30, 0.0);
    dxf(0, "ENDSEC");
    dxf(0, "SECTION")(2, "CLASSES")(0, "ENDSEC");
}

void writeTables(DxfText& dxf, const DrawingFrame& frame, std::span<const Layer> layers)
{
    using namespace handle;
    dxf(0, "SECTION")(2, "TABLES");

    dxf.tableStart("VPORT", kViewportTable, 1);
    dxf.recordStart("VPORT", kViewportActive, kViewportTable, "AcDbViewportTableRecord");
    dxf(2, "*Active")(70, 0)(10, 0.0)(20, 0.0)(11, 1.0)(21, 1.0)(12, frame.viewCentre.x)(22, frame.viewCentre.y);
    dxf(40, frame.viewHeight)(41, 1.0);
    dxf(0, "ENDTAB");

    dxf.tableStart("LTYPE", kLinetypeTable, 3);
    for (const auto& [name, linetypeHandle, description] :
        {std::array<std::string_view, 3>{"ByBlock", kLinetypeByBlock, ""}, {"ByLayer", kLinetypeByLayer, ""},
            {"Continuous", kLinetypeContinuous, "Solid line"}}) {
        dxf.recordStart("LTYPE", linetypeHandle, kLinetypeTable, "AcDbLinetypeTableRecord");
        dxf(2, name)(70, 0)(3, description)(72, 65)(73, 0)(40, 0.0);
    }
    dxf(0, "ENDTAB");

    dxf.tableStart("LAYER", kLayerTable, static_cast<int>(layers.size()) + 1);
    auto writeLayer = [&](const Layer& layer) {
        dxf.recordStart("LAYER", layer.handle, kLayerTable, "AcDbLayerTableRecord");
        dxf(2, layer.name)(70, 0)(62, 7)(6, "Continuous");
    };
    writeLayer({"0", kLayerZero});
    for (const Layer& layer : layers)
        writeLayer(layer);
    dxf(0, "ENDTAB");

    dxf.tableStart("STYLE", kStyleTable, 1);
    dxf.recordStart("STYLE", kStyleStandard, kStyleTable, "AcDbTextStyleTableRecord");
    dxf(2, "Standard")(70, 0)(40, 0.0)(41, 1.0)(50, 0.0)(71, 0)(42, 2.5)(3, "txt")(4, "");
    dxf(0, "ENDTAB");

    dxf.tableStart("VIEW", kViewTable, 0);
    dxf(0, "ENDTAB");
    dxf.tableStart("UCS", kUcsTable, 0);
    dxf(0, "ENDTAB");

    dxf.tableStart("APPID", kAppIdTable, 1);
    dxf.recordStart("APPID", kAppIdAcad, kAppIdTable, "AcDbRegAppTableRecord");
    dxf(2, "ACAD")(70, 0);
    dxf(0, "ENDTAB");

    // The dimension style table has a subclass of its own and names its
    // records with code 105.
    dxf(0, "TABLE")(2, "DIMSTYLE")(5, kDimStyleTable)(330, "0")(100, "AcDbSymbolTable")(70, 1);
    dxf(100, "AcDbDimStyleTable");
    dxf(0, "DIMSTYLE")(105, kDimStyleStandard)(330, kDimStyleTable)(100, "AcDbSymbolTableRecord");
    dxf(100, "AcDbDimStyleTableRecord")(2, "Standard")(70, 0);
    dxf(0, "ENDTAB");

    dxf.tableStart("BLOCK_RECORD", kBlockRecordTable, 2);
    for (const auto& [name, recordHandle] :
        {std::array<std::string_view, 2>{"*Model_Space", kModelSpaceRecord}, {"*Paper_Space", kPaperSpaceRecord}}) {
        dxf.recordStart("BLOCK_RECORD", recordHandle, kBlockRecordTable, "AcDbBlockTableRecord");
        dxf(2, name);
    }
    dxf(0, "ENDTAB");
    dxf(0, "ENDSEC");
}

void writeBlocks(DxfText& dxf)
{
    using namespace handle;
    dxf(0, "SECTION")(2, "BLOCKS");
    for (const auto& [name, owner, begin, end] :
        {std::array<std::string_view, 4>{"*Model_Space", kModelSpaceRecord, kModelSpaceBlock, kModelSpaceEnd},
            {"*Paper_Space", kPaperSpaceRecord, kPaperSpaceBlock, kPaperSpaceEnd}}) {
        dxf(0, "BLOCK")(5, begin)(330, owner)(100, "AcDbEntity")(8, "0")(100, "AcDbBlockBegin");
        dxf(2, name)(70, 0)(10, 0.0)(20, 0.0)(30, 0.0)(3, name)(1, "");
        dxf(0, "ENDBLK")(5, end)(330, owner)(100, "AcDbEntity")(8, "0")(100, "AcDbBlockEnd");
    }
    dxf(0, "ENDSEC");
}

void writeObjects(DxfText& dxf)
{
    using namespace handle;
    dxf(0, "SECTION")(2, "OBJECTS");
    dxf(0, "DICTIONARY")(5, kRootDictionary)(330, "0")(100, "AcDbDictionary")(281, 1);
    dxf(3, "ACAD_GROUP")(350, kGroupDictionary);
    dxf(0, "DICTIONARY")(5, kGroupDictionary)(330, kRootDictionary)(100, "AcDbDictionary")(281, 1);
    dxf(0, "ENDSEC");
}

} // namespace

DxfText& DxfText::operator()(int code, std::string_view value)
{
    std::string number = wholeNumberText(code);
    text_.append(number.size() < 3 ? 3 - number.size() : 0, ' ');
    text_ += number;
    text_ += "\r\n";
    text_ += value;
    text_ += "\r\n";
    return *this;
}

DxfText& DxfText::operator()(int code, double value)
{
    return (*this)(code, drawingNumber(value));
}

DxfText& DxfText::operator()(int code, int value)
{
    return (*this)(code, wholeNumberText(value));
}

void DxfText::tableStart(std::string_view name, std::string_view tableHandle, int count)
{
    (*this)(0, "TABLE")(2, name)(5, tableHandle)(330, "0")(100, "AcDbSymbolTable")(70, count);
}

void DxfText::recordStart(
    std::string_view type, std::string_view recordHandle, std::string_view tableHandle, std::string_view subclass)
{
    (*this)(0, type)(5, recordHandle)(330, tableHandle)(100, "AcDbSymbolTableRecord")(100, subclass);
}

void writeDrawingStart(
    DxfText& dxf, Units units, const DrawingFrame& frame, std::span<const Layer> layers, std::string_view handleSeed)
{
    writeHeader(dxf, units, frame, handleSeed);
    writeTables(dxf, frame, layers);
    writeBlocks(dxf);
    dxf(0, "SECTION")(2, "ENTITIES");
}

void writeDrawingEnd(DxfText& dxf)
{
    dxf(0, "ENDSEC");
    writeObjects(dxf);
    dxf(0, "EOF");
}

} // namespace quillon::dxf
