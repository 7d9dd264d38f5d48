// The page's words for the outline below the window, in the window's
// Chinese: the note on how it is drawn, why none can be drawn, and why no
// preview is shown. Lengths in millimetres, named as the window's captions
// name them (节径 dj, 槽顶槽宽 br, 齿顶 Rt …). The drawing files keep their
// English <desc>, the same bytes as quillon-cli writes.
#pragma once

#include "calc/geometry/outline.h"

#include <string>

namespace quillon::ui {

// How the outline is drawn: the diameters and the construction.
//   XL 20 -> "XL，20 齿：节径 dj 32.34 mm，外径 da 31.832 mm，底径 df 28.532 mm；
//             直线齿侧，槽半角 25°，带齿顶和齿底圆角，与表中的槽形完全一致。英制系列…"
std::string outlineNoteText(const PulleyOutline& outline);

// Why the outline cannot be drawn, one sentence with its numbers.
//   {NoLand, "T2.5", 6} -> "T2.5 在 6 齿时无法绘制轮廓：外圆上两槽之间没有剩下齿顶圆弧。"
//   {TeethNotWhole, "XL", 20.5} -> "带轮的齿数应为整数，而不是 20.5。"
std::string outlineRefusalText(const OutlineRefusal& reason);

// Said in place of a preview above kMostPreviewTeeth.
//   () -> "齿数多于 10000，不显示轮廓预览；DXF 和 SVG 文件仍可下载。"
std::string noPreviewText();

// The most teeth the page previews: above this an outline has hundreds of
// thousands of pieces, more than the 346-pixel box can show, and drawing
// them would hold the page for seconds.
inline constexpr int kMostPreviewTeeth = 10'000;

} // namespace quillon::ui
