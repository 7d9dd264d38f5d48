// The yardstick for Quillon.exe's start-up: a bare Win32 window with the same
// 41 controls at the same places, in the same 9-point face and with the same
// manifest (common controls 6), and nothing else: no calculation, no
// printing, no screen-reader names, no icon. start_time compares the two.

#include "calc/catalogue/catalogue.h"
#include "ui/controls.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>

using namespace quillon::ui;

namespace {

std::wstring wide(const char* utf8)
{
    std::wstring text(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), static_cast<int>(text.size()));
    text.pop_back();
    return text;
}

LRESULT CALLBACK bareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW bare{};
    bare.cbSize = sizeof bare;
    bare.lpfnWndProc = bareProcedure;
    bare.hInstance = instance;
    bare.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    bare.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    bare.lpszClassName = L"BareWindow";
    RegisterClassExW(&bare);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips)};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExW(0, L"BareWindow", L"Bare window", style, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    HFONT font = CreateFontW(
        -12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"SimSun");
    for (const ControlSpec& row : kControls) {
        const wchar_t* windowClass = row.kind == Label ? WC_STATICW
            : row.kind == ComboBox                     ? WC_COMBOBOXW
            : row.kind == TextBox                      ? WC_EDITW
                                                       : WC_BUTTONW;
        const DWORD kindStyle = row.kind == Label ? SS_LEFT
            : row.kind == ComboBox                ? CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP
            : row.kind == TextBox                 ? ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
                                                  : BS_PUSHBUTTON | WS_TABSTOP;
        const int height = twipsToPixels(row.height) * (row.kind == ComboBox ? 10 : 1);
        HWND control = CreateWindowExW(0, windowClass, row.kind == ComboBox ? L"" : wide(row.text).c_str(),
            WS_CHILD | WS_VISIBLE | kindStyle, twipsToPixels(row.left), twipsToPixels(row.top),
            twipsToPixels(row.width), height, window, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (row.kind == ComboBox) {
            for (std::string_view beltType : quillon::kBeltTypes)
                SendMessageW(
                    control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(std::string(beltType).c_str()).c_str()));
            SetWindowTextW(control, wide(row.text).c_str());
        }
    }
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
