#include "ui/web/outline_texts.h"

#include "calc/catalogue/catalogue.h"
#include "calc/derived/inches.h"
#include "calc/number_text.h"

namespace quillon::ui {
namespace {

std::string millimetres(double value)
{
    return lengthWithUnit(value, Units::Millimetres);
}

// The opening of a reason that lies in the groove or between the grooves.
std::string cannotBeDrawn(const OutlineRefusal& reason)
{
    return reason.beltType + " 在 " + wholeNumberText(static_cast<int>(reason.toothCount)) + " 齿时无法绘制轮廓：";
}

} // namespace

std::string outlineNoteText(const PulleyOutline& outline)
{
    const GrooveProfile& profile = outline.profile;
    std::string note = std::string(outline.beltType) + "，" + wholeNumberText(outline.teeth) + " 齿：节径 dj "
        + millimetres(outline.diameters.pitch) + "，外径 da " + millimetres(outline.diameters.outside) + "，底径 df "
        + millimetres(outline.diameters.root) + "；";
    if (outline.construction == GrooveConstruction::ArcBottom)
        return note + "近似画法：槽底为半径等于齿底 Rb 的圆弧，直线齿侧以 " + plainText(profile.halfAngle)
            + "° 与之相切，画出的槽顶槽宽 br 为 " + millimetres(outline.topWidth) + "，而表中为 "
            + millimetres(profile.topWidth.number()) + "。";
    note += "直线齿侧，槽半角 " + plainText(profile.halfAngle) + "°，带齿顶和齿底圆角，与表中的槽形完全一致。";
    if (beltFamily(outline.beltType) == BeltFamily::TrapezoidalInch)
        note += "英制系列的数据定义的是直线齿侧的槽形；H、XH、XXH 小带轮用滚刀加工出的槽形与之相差可达零点几毫米"
                "（约 20 齿以上小于 0.1 mm）。";
    return note;
}

// Every obstacle is worded here: with no default, the compiler names one
// that is added and not worded.
std::string outlineRefusalText(const OutlineRefusal& reason)
{
    switch (reason.obstacle) {
    case OutlineObstacle::UnknownBeltType:
        return "未知的带轮规格“" + reason.beltType + "”，无法绘制轮廓。";
    case OutlineObstacle::FlankCentresNotGiven:
        return reason.beltType + " 无法绘制轮廓：其齿侧为半径 RA 的圆弧，表中没有给出圆弧中心的位置。";
    case OutlineObstacle::TeethNotWhole:
        return "带轮的齿数应为整数，而不是 " + plainText(reason.toothCount) + "。";
    case OutlineObstacle::TeethOutOfRange:
        return "轮廓只能绘制 3 到 " + wholeNumberText(kMaxOutlineTeeth) + " 齿的带轮，而不是 "
            + plainText(reason.toothCount) + " 齿。";
    case OutlineObstacle::RootDiameterNotAboveZero:
        return cannotBeDrawn(reason) + "底径 df " + millimetres(reason.length) + " 不大于 0。";
    case OutlineObstacle::BottomWidthDoesNotFit:
        return cannotBeDrawn(reason) + "槽底槽宽 bw " + millimetres(reason.length) + " 放不进齿根圆。";
    case OutlineObstacle::TopWidthDoesNotFit:
        return cannotBeDrawn(reason) + "槽顶槽宽 br " + millimetres(reason.length) + " 放不进外圆。";
    case OutlineObstacle::TipFilletDoesNotFit:
        return cannotBeDrawn(reason) + "齿顶圆角 Rt（半径 " + millimetres(reason.length) + "）放不进齿侧与外圆之间。";
    case OutlineObstacle::RootFilletDoesNotFit:
        return cannotBeDrawn(reason) + "齿底圆角 Rb（半径 " + millimetres(reason.length) + "）放不进齿侧与齿根圆之间。";
    case OutlineObstacle::NoFlankBetweenFillets:
        return cannotBeDrawn(reason) + "齿顶圆角与齿底圆角之间没有剩下直线齿侧。";
    case OutlineObstacle::NoRootArc:
        return cannotBeDrawn(reason) + "两个齿底圆角之间没有剩下槽底圆弧。";
    case OutlineObstacle::NoFlankAboveBottomArc:
        return cannotBeDrawn(reason) + "齿顶圆角与槽底圆弧之间没有剩下直线齿侧。";
    case OutlineObstacle::TopWidthUnlikeTable:
        return cannotBeDrawn(reason) + "槽底圆弧加上与之相切的齿侧，槽顶槽宽为 " + millimetres(reason.length)
            + "，而表中为 " + millimetres(reason.tableLength) + "；表中没有给出这种槽的形状。";
    case OutlineObstacle::OnlyApproximately:
        return reason.beltType + " 只能近似绘制：槽底圆弧加上与之相切的直线齿侧，槽顶槽宽为 "
            + millimetres(reason.length) + "，而表中为 " + millimetres(reason.tableLength) + "。";
    case OutlineObstacle::NoLand:
        return cannotBeDrawn(reason) + "外圆上两槽之间没有剩下齿顶圆弧。";
    case OutlineObstacle::GroovesOverlap:
        return cannotBeDrawn(reason) + "相邻的槽在外圆以下相互重叠。";
    case OutlineObstacle::NoHob:
        return cannotBeDrawn(reason) + "其表中没有能加工它的滚刀。";
    }
    return cannotBeDrawn(reason);
}

std::string noPreviewText()
{
    return "齿数多于 " + wholeNumberText(kMostPreviewTeeth) + "，不显示轮廓预览；DXF 和 SVG 文件仍可下载。";
}

} // namespace quillon::ui
