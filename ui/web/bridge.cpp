// The few plain functions the page calls in the WebAssembly module: texts in,
// texts out. Each returns a text that lives until the next call.

#include "calc/full_width.h"
#include "calc/geometry/files/outline_dxf.h"
#include "calc/geometry/files/outline_svg.h"
#include "calc/reader.h"
#include "calc/run.h"
#include "ui/texts.h"

#include <emscripten/emscripten.h>

#include <string>

namespace {

std::string lastAnswer;

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

// The pulley's outline as quillon-cli outline draws it, in millimetres, for
// the tooth count as 计算 reads it: the construction note, the SVG and the
// DXF, separated by form feeds; HTD3M to HTD14M approximately, as they can
// only be drawn so. Where no outline is defined, the reason after a "!".
//   ("XL", "20") -> "XL, 20 teeth: ...\f<?xml ...\f  0\r\nSECTION..."
//   ("STPD S2M", "20") -> "!..."
EMSCRIPTEN_KEEPALIVE const char* quillonOutline(const char* beltType, const char* toothCount)
{
    try {
        const double teeth = quillon::readToothCount(quillon::foldFullWidth(toothCount));
        // Only HTD's construction heeds `approximate`.
        const quillon::PulleyOutline outline = quillon::pulleyOutline(beltType, teeth, true);
        const auto units = quillon::Units::Millimetres;
        lastAnswer = quillon::outlineNote(outline, units) + '\f' + quillon::outlineSvg(outline, units) + '\f'
            + quillon::outlineDxf(outline, units);
    } catch (const quillon::OutlineRefused& refused) {
        lastAnswer = std::string("!") + refused.what();
    } catch (const quillon::OutOfRange&) {
        lastAnswer = std::string("!") + quillon::ui::kToothCountOutOfRange;
    }
    return lastAnswer.c_str();
}

} // extern "C"
