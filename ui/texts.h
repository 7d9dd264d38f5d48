// The window's own texts beside its controls: its title and its warnings,
// shared by both front ends. UTF-8; %1 and %2 stand for the printer's name
// and what it said or what failed.
#pragma once

namespace quillon::ui {

// The caption names the product and whom to write to.
inline constexpr const char* kWindowTitle = "Quillon quillon@example.org";

// The point size of the window's one font; the layout was drawn for it.
inline constexpr int kWindowFontPoints = 9;

inline constexpr const char* kToothCountOutOfRange = "齿数超出了可以计算的范围，请输入较小的齿数。";

inline constexpr const char* kNoDefaultPrinter = "没有默认打印机，无法打印。请先在系统中设置默认打印机。";
inline constexpr const char* kPrinterRefuses = "无法打印：默认打印机“%1”%2。";
inline constexpr const char* kRefusesJobs = "不接受打印任务";
inline constexpr const char* kIsStopped = "已停止";
inline constexpr const char* kPrintFailed = "打印失败：打印机“%1”无法完成打印任务。";
// Where the system says which step failed, named as the user sees it.
inline constexpr const char* kPrintStepFailed = "打印失败：打印机“%1”在%2时出错。";
inline constexpr const char* kStepPrepare = "准备打印";
inline constexpr const char* kStepStartJob = "开始打印任务";
inline constexpr const char* kStepStartPage = "开始新的一页";
inline constexpr const char* kStepSendPage = "送出这一页";
inline constexpr const char* kStepEndJob = "完成打印任务";

} // namespace quillon::ui
