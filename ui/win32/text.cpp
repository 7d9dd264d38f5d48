#include "ui/win32/text.h"

namespace quillon::ui::win32 {

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring fillIn(const char* text, std::wstring_view first, std::wstring_view second)
{
    const std::wstring pattern = wide(text);
    std::wstring out;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] == L'%' && at + 1 < pattern.size() && (pattern[at + 1] == L'1' || pattern[at + 1] == L'2')) {
            out += pattern[++at] == L'1' ? first : second;
        } else {
            out += pattern[at];
        }
    }
    return out;
}

} // namespace quillon::ui::win32
