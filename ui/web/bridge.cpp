// The few plain functions the page calls in the WebAssembly module: texts in,
// texts out. Each returns a text that lives until the next call.

#include "calc/full_width.h"
#include "calc/geometry/files/outline_dxf.h"
#include "calc/geometry/files/outline_svg.h"
#include "calc/number_text.h"
#include "calc/reader.h"
#include "calc/run.h"
#include "ui/texts.h"
#include "ui/web/outline_texts.h"

#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

namespace {

std::string lastAnswer;

// The outline for the tooth count as 计算 reads it. Only HTD's construction
// heeds `approximate`, and HTD can only be drawn so.
quillon::PulleyOutline outlineFor(const char* beltType, const char* toothCount)
{
    const double teeth = quillon::readToothCount(quillon::foldFullWidth(toothCount));
    return quillon::pulleyOutline(beltType, teeth, true);
}

// The page's copy of the drawing: a line of one screen pixel at every size.
// The file's 0.1 mm line vanishes once a large pulley is shrunk into the
// preview's box; the files themselves keep it.
std::string previewDrawing(std::string svg)
{
    const std::string_view fileStroke = "stroke-width=\"0.1\"";
    const std::size_t at = svg.find(fileStroke);
    if (at != std::string::npos)
        svg.replace(at, fileStroke.size(), "stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"");
    return svg;
}

} // namespace

extern "C" {

// Calculate (计算) as the desktop windows do it: the twenty boxes, one line
// each, "Text2\t2.032"; or, when the tooth count is beyond what a double
// holds, the warning text after a "!".
//   ("MXL", "40", ".") -> "Text2\t2.032\nText13\t25.872\n..."
//   ("MXL", "1e400", ".") -> "!齿数超出了可以计算的范围，请输入较小的齿数。"
EMSCRIPTEN_KEEPALIVE const char* quillonCalculate(
    const char* beltType, const char* toothCount, const char* decimalSeparator)
{
    try {
        // A Chinese input method in full-width mode types "４０": read as "40".
        const quillon::RunResult result
            = quillon::runCalculation(beltType, quillon::foldFullWidth(toothCount), decimalSeparator);
        lastAnswer.clear();
        for (const quillon::RunResult::Box& box : result.boxes()) {
            lastAnswer.append(box.name);
            lastAnswer += '\t';
            lastAnswer += box.text;
            lastAnswer += '\n';
        }
    } catch (const quillon::OutOfRange&) {
        lastAnswer = std::string("!") + quillon::ui::kToothCountOutOfRange;
    }
    return lastAnswer.c_str();
}

// Below the window, after 计算: the pulley's outline for the tooth count as
// 计算 reads it, drawn as quillon-cli outline draws it (HTD3M to HTD14M
// approximately, as they can only be drawn so). Three fields separated by
// form feeds: the files' name, the note in Chinese, and the drawing for the
// page's preview; where no outline is defined, no name, the reason, and no
// drawing; above kMostPreviewTeeth no drawing, and the note says so.
//   ("XL", "２０") -> "XL-20\fXL，20 齿：节径 dj …\f<?xml …"
//   ("STPD S2M", "20") -> "\fSTPD S2M 无法绘制轮廓：…\f"
EMSCRIPTEN_KEEPALIVE const char* quillonOutlinePreview(const char* beltType, const char* toothCount)
{
    lastAnswer.clear();
    try {
        const quillon::PulleyOutline outline = outlineFor(beltType, toothCount);
        const std::string note = quillon::ui::outlineNoteText(outline);
        const bool previewed = outline.teeth <= quillon::ui::kMostPreviewTeeth;
        lastAnswer = std::string(outline.beltType) + '-' + quillon::wholeNumberText(outline.teeth) + '\f' + note
            + (previewed ? "" : quillon::ui::noPreviewText()) + '\f'
            + (previewed ? previewDrawing(quillon::outlineSvg(outline, quillon::Units::Millimetres)) : "");
    } catch (const quillon::OutlineRefused& refused) {
        lastAnswer = '\f' + quillon::ui::outlineRefusalText(refused.reason()) + '\f';
    } catch (const quillon::OutOfRange&) {
        lastAnswer = std::string("\f") + quillon::ui::kToothCountOutOfRange + '\f';
    }
    return lastAnswer.c_str();
}

// A download: the outline's file, "svg" or "dxf", the very bytes of
// quillon-cli outline BELT TEETH --format FORMAT (with --approximate for
// HTD); the empty text where no outline is defined.
//   ("XL", "20", "dxf") -> "  0\r\nSECTION…"
EMSCRIPTEN_KEEPALIVE const char* quillonOutlineFile(const char* beltType, const char* toothCount, const char* format)
{
    lastAnswer.clear();
    try {
        const quillon::PulleyOutline outline = outlineFor(beltType, toothCount);
        const auto units = quillon::Units::Millimetres;
        lastAnswer = std::string_view(format) == "dxf" ? quillon::outlineDxf(outline, units)
                                                       : quillon::outlineSvg(outline, units);
    } catch (const quillon::OutlineRefused&) {
    } catch (const quillon::OutOfRange&) {
    }
    return lastAnswer.c_str();
}

} // extern "C"
