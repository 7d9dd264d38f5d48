// UTF-8 and the UTF-16 of the Win32 calls.
#pragma once

#include <string>
#include <string_view>

namespace quillon::ui::win32 {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view wide);

// text with %1 and %2 replaced by first and second.
//   ("打印机“%1”%2。", L"PDF", L"已停止") -> L"打印机“PDF”已停止。"
std::wstring fillIn(const char* text, std::wstring_view first, std::wstring_view second = {});

} // namespace quillon::ui::win32
