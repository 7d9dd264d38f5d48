// The one window of Quillon on Windows: plain Win32 and common controls,
// built from the same control table as the Qt window. Belt type and tooth
// count in, twenty result boxes out, and the buttons 计算, 打印 and 退出.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quillon::ui::win32 {

// Creates the window, hidden, at the DPI of the primary monitor (it follows
// its monitor's DPI from then on): the 41 controls of the table in its tab
// order, in the window's own font, the title and the icon (resource 1 of the
// instance, when there is one). Null on failure.
HWND createForm1(HINSTANCE instance);

// A control by its name in the table ("Text13", "Combo1"); null for no name.
HWND controlNamed(HWND form, std::string_view name);

// The text of a control as UTF-8, and setting it.
std::string controlText(HWND control);
void setControlText(HWND control, std::string_view utf8);

// The three command handlers, as the buttons run them.
// 计算: runs the calculation on Combo1 and Text1, with the user's decimal
// separator, and writes the twenty boxes; a tooth count beyond what can be
// calculated shows a warning owned by the window and changes no box.
void calculate(HWND form);
// 打印: prints the window as it looks, at true size, on the default printer;
// warns, naming the printer and what failed, when it cannot.
void print(HWND form);
// 退出: ends the program with status 0.
void exitProgram(HWND form);

// The window's DPI as the layout uses it.
UINT formDpi(HWND form);

} // namespace quillon::ui::win32
