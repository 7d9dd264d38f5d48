#include "ui/win32/text.h"

#include <windows.h>

namespace quillon::ui::win32 {

std::wstring wide(std::string_view utf8)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::string utf8(std::wstring_view wide)
{
    const int size
        = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring fillIn(const char* text, std::wstring_view first, std::wstring_view second)
{
    std::wstring out = wide(text);
    for (const auto& [mark, value] : {std::pair{std::wstring_view(L"%1"), first}, {L"%2", second}}) {
        if (const std::size_t at = out.find(mark); at != std::wstring::npos)
            out.replace(at, mark.size(), value);
    }
    return out;
}

} // namespace quillon::ui::win32
