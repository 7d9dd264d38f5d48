// Texts in the Win32 front end: UTF-8 and the UTF-16 of the Win32 calls, a
// window's text, and the warnings' placeholders.
#pragma once

#include "platform/win32/utf16.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace quillon::ui::win32 {

using utf16::utf8;
using utf16::wide;

// The text a window or control shows (GetWindowTextW), whole.
std::wstring windowText(HWND window);

// text with each %1 and %2 replaced by first and second, in one pass: what
// is put in is never searched again.
//   ("打印机“%1”%2。", L"PDF", L"已停止") -> L"打印机“PDF”已停止。"
//   ("打印机“%1”%2。", L"HP %2 Office", L"已停止") -> L"打印机“HP %2 Office”已停止。"
std::wstring fillIn(const char* text, std::wstring_view first, std::wstring_view second = {});

} // namespace quillon::ui::win32
