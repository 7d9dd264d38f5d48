// The 41 controls of the window, one row each, in tab order. Positions and
// sizes are in twips (1/1440 inch), as the window was drawn; twipsToPixels
// turns them into device-independent pixels, which Qt's high-DPI scaling maps
// to the screen's real resolution.
#pragma once

#include "calc/catalogue/catalogue.h"

#include <array>
#include <string_view>

namespace quillon::ui {

enum class ControlKind { Label, ComboBox, TextBox, PushButton };

struct ControlSpec {
    std::string_view name; // the object name, e.g. "Text13"
    ControlKind kind;
    const char* text;             // caption or initial text, UTF-8
    int left, top, width, height; // twips from the client area's top left
    const char* accessibleName;   // what a screen reader says for a box; empty: the caption
};

// 15 twips make one pixel at 96 dots per inch, and one device-independent pixel.
//   twipsToPixels(5190) -> 346   twipsToPixels(255) -> 17
constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}

// The inside of the window.
constexpr int kClientWidthTwips = 5190;
constexpr int kClientHeightTwips = 5085;

using enum ControlKind;

// clang-format off
inline constexpr std::array<ControlSpec, 41> kControls = {{
    {"Label1",   Label,      "带轮规格",           240,  360,  855,  255, ""},
    {"Combo1",   ComboBox,   "MXL",               1080, 360,  1335, 300, "带轮规格"},
    {"Label2",   Label,      "齿数 Z",             240,  960,  735,  255, ""},
    {"Text1",    TextBox,    "40",                1080, 840,  1335, 375, "齿数 Z"},
    {"Label3",   Label,      "节距 Pb",            2640, 360,  735,  255, ""},
    {"Text2",    TextBox,    "Text2",             3480, 240,  1215, 270, "节距 Pb"},
    {"Label4",   Label,      "外径 da",            2640, 1080, 735,  255, ""},
    {"Text3",    TextBox,    "Text3",             3480, 960,  1215, 270, "外径 da"},
    {"Label5",   Label,      "底径 df",            2640, 1440, 735,  255, ""},
    {"Text4",    TextBox,    "Text4",             3480, 1320, 1215, 270, "底径 df"},
    {"Label6",   Label,      "槽底槽宽 bw",        2280, 1800, 1095, 255, ""},
    {"Text5",    TextBox,    "Text5",             3480, 1680, 615,  270, "槽底槽宽 bw"},
    {"Label7",   Label,      "槽顶槽宽 br",        2280, 2160, 1095, 255, ""},
    {"Text6",    TextBox,    "Text6",             3480, 2040, 615,  270, "槽顶槽宽 br"},
    {"Label8",   Label,      "全齿深 hg",          2520, 2520, 855,  255, ""},
    {"Text7",    TextBox,    "Text7",             3480, 2400, 615,  270, "全齿深 hg"},
    {"Label9",   Label,      "槽半角 Y度",         2400, 2880, 975,  255, ""},
    {"Text8",    TextBox,    "Text8",             3480, 2760, 615,  270, "槽半角 Y度"},
    {"Label10",  Label,      "齿顶 Rt",            2520, 3240, 855,  255, ""},
    {"Text9",    TextBox,    "Text9",             3480, 3120, 615,  270, "齿顶 Rt"},
    {"Label11",  Label,      "齿底 Rb",            2520, 3600, 735,  255, ""},
    {"Text10",   TextBox,    "Text10",            3480, 3480, 615,  270, "齿底 Rb"},
    {"Label12",  Label,      "2倍节顶距 2a",       2280, 3960, 1095, 255, ""},
    {"Text11",   TextBox,    "Text11",            3480, 3840, 1215, 270, "2倍节顶距 2a"},
    {"Label13",  Label,      " 齿侧园弧半径 RA",   1920, 4320, 1575, 255, ""},
    {"Text12",   TextBox,    "Text12",            3480, 4200, 1215, 270, "齿侧园弧半径 RA"},
    {"Command1", PushButton, "计算",              600,  1320, 1215, 495, ""},
    {"Command2", PushButton, "打印",              600,  1920, 1215, 495, ""},
    {"Command3", PushButton, "退出",              600,  2520, 1215, 495, ""},
    {"Label14",  Label,      "节径 dj",            2640, 720,  735,  255, ""},
    {"Text13",   TextBox,    "Text13",            3480, 600,  1215, 270, "节径 dj"},
    {"Text14",   TextBox,    "Text14",            4080, 1680, 615,  270, "槽底槽宽 bw 公差"},
    {"Text15",   TextBox,    "Text15",            4080, 2400, 615,  270, "全齿深 hg 公差"},
    {"Text16",   TextBox,    "Text16",            4080, 2760, 615,  270, "槽半角 Y度 公差"},
    {"Text17",   TextBox,    "Text17",            4080, 3120, 615,  270, "齿顶 Rt 公差"},
    {"Text18",   TextBox,    "Text18",            4080, 3480, 615,  270, "齿底 Rb 公差"},
    {"Label15",  Label,      "齿数分段",           720,  3240, 975,  255, ""},
    {"Text19",   TextBox,    "Text19",            360,  3840, 1455, 270, "齿数分段 1"},
    {"Text20",   TextBox,    "Text20",            360,  4200, 1455, 270, "齿数分段 2"},
    {"Text21",   TextBox,    "Text21",            4080, 2040, 615,  270, "槽顶槽宽 br 公差"},
    {"Label16",  Label,      "宜以段内Zmin设计滚刀", 240,  3480, 1815, 255, ""},
}};
// clang-format on

// Every position and size maps to whole pixels.
static_assert([] {
    for (const ControlSpec& c : kControls) {
        if (c.left % 15 || c.top % 15 || c.width % 15 || c.height % 15)
            return false;
    }
    return true;
}());

} // namespace quillon::ui
