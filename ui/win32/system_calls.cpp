#include "ui/win32/system_calls.h"

#include <string>

namespace quillon::ui::win32 {

void loadDllsFromSystemFolderOnly()
{
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    if (const auto call
        = findCall<SetDefaultDllDirectoriesCall>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories"))
        call(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE loadSystemLibrary(const wchar_t* name)
{
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    // Windows 7 without KB2533623 refuses the flag: name the file in full.
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetSystemDirectoryW(path.data(), MAX_PATH));
    if (path.empty() || path.size() >= MAX_PATH)
        return nullptr;
    return LoadLibraryExW((path + L"\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

UINT systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT dpiOfWindow(HWND window)
{
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow
        = findCall<GetDpiForWindowCall>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi > 0 ? dpi : systemDpi();
}

} // namespace quillon::ui::win32
