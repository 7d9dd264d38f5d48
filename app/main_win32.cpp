// Starts Quillon on Windows: one window, shown until it is closed or 退出 is
// clicked; the program then ends with status 0.

#include "ui/win32/Form1.h"
#include "ui/win32/system_calls.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Before any DLL is loaded on demand (the print spooler, input methods).
    quillon::ui::win32::loadDllsFromSystemFolderOnly();
    HWND form = quillon::ui::win32::createForm1(instance);
    if (!form)
        return 1;
    ShowWindow(form, show);
    UpdateWindow(form);
    SetFocus(quillon::ui::win32::controlNamed(form, "Combo1"));
    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        // Tab and Shift+Tab move between the controls in the table's order.
        if (!IsDialogMessageW(form, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // -1: the queue failed, and message holds nothing of WM_QUIT.
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}
