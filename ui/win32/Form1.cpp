#include "ui/win32/Form1.h"

#include "calc/full_width.h"
#include "calc/run.h"
#include "ui/controls.h"
#include "ui/texts.h"
#include "ui/win32/control_drawing.h"
#include "ui/win32/form_parts.h"
#include "ui/win32/system_calls.h"
#include "ui/win32/text.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace quillon::ui::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuillonForm1";
// A fixed-size window: no sizing border, no maximize box.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

const wchar_t* classOf(ControlKind kind)
{
    switch (kind) {
    case Label:
        return WC_STATICW;
    case ComboBox:
        return WC_COMBOBOXW;
    case TextBox:
        return WC_EDITW;
    case PushButton:
        break;
    }
    return WC_BUTTONW;
}

DWORD styleOf(ControlKind kind)
{
    switch (kind) {
    case Label:
        return SS_LEFT | SS_NOPREFIX;
    case ComboBox:
        // Editable: what is typed stays exactly as typed.
        // Its list drawn by the window (drawListItem), so that the field
        // keeps the drawing's height whatever the face's line height.
        return CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
    case TextBox:
        return ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP; // framed by textBoxFrame
    case PushButton:
        break;
    }
    // No default button: Enter in a box does nothing, as in the Qt window.
    return BS_PUSHBUTTON | WS_TABSTOP;
}

// Positions and sizes every control at the window's DPI, in its font; a
// caption wider than its drawn box reaches right as far as its text needs,
// never over the next control on its line.
void layOut(HWND form, const FormState& state)
{
    const UINT dpi = state.dpi;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlSpec& row = kControls[i];
        HWND control = GetDlgItem(form, controlId(i));
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.get()), FALSE);
        // The narrow boxes were drawn for text that starts right inside the
        // frame.
        if (row.kind == TextBox)
            SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
        RECT box = drawnRect(row, dpi);
        if (row.kind == Label)
            box.right = std::max<LONG>(
                box.right, std::min<LONG>(box.left + textWidth(control, state.font.get()), rightLimitOf(i, dpi)));
        const int height = box.bottom - box.top;
        // A drop-down combo box is as tall as its open list; its closed
        // height is its selection field's, set to the drawing's below.
        const int windowHeight = row.kind == ComboBox ? height * 10 : height;
        SetWindowPos(
            control, nullptr, box.left, box.top, box.right - box.left, windowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        if (row.kind == ComboBox) {
            SendMessageW(control, CB_SETITEMHEIGHT, 0, listRowHeight(form, state.font.get()));
            // What a field height gives is seen, not assumed: Wine adds two
            // pixels to the height asked for, and reports the sum.
            RECT closed{};
            int field = static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
            for (int attempt = 0; attempt < 3; ++attempt) {
                GetWindowRect(control, &closed);
                const int difference = height - (closed.bottom - closed.top);
                if (difference == 0 || field + difference < 1)
                    break;
                field += difference;
                SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
                SetWindowPos(control, nullptr, 0, 0, box.right - box.left, windowHeight,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    // The frame as it is, around the client area as drawn: the system's own
    // frame metrics need not follow the window's DPI (Wine's do not).
    RECT window{};
    RECT client{};
    GetWindowRect(form, &window);
    GetClientRect(form, &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    SetWindowPos(form, nullptr, 0, 0, twipsToDevice(kClientWidthTwips, dpi) + frameWidth,
        twipsToDevice(kClientHeightTwips, dpi) + frameHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(form, nullptr, TRUE);
}

void createControls(HWND form, HINSTANCE instance)
{
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlSpec& row = kControls[i];
        HWND control = CreateWindowExW(row.kind == ComboBox ? WS_EX_CLIENTEDGE : 0, classOf(row.kind),
            row.kind == ComboBox ? L"" : wide(row.text).c_str(), WS_CHILD | WS_VISIBLE | styleOf(row.kind), 0, 0, 1, 1,
            form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(i))), instance, nullptr);
        if (row.kind == TextBox)
            SetWindowSubclass(control, textBoxFrame, 0, 0);
        if (row.kind == ComboBox) {
            for (std::string_view beltType : kBeltTypes)
                SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(beltType).c_str()));
            SetWindowTextW(control, wide(row.text).c_str());
        }
        if (row.kind == TextBox || row.kind == ComboBox)
            SendMessageW(row.kind == ComboBox ? FindWindowExW(control, nullptr, WC_EDITW, nullptr) : control,
                EM_SETLIMITTEXT, 0, 0); // no length limit
    }
    nameControlsForScreenReaders(form);
}

// The title bar's icon (resource 1) at the small icon size of a DPI: the
// class's own is loaded once, at the system's.
void setSmallIcon(HWND form, FormState& state)
{
    const int side = MulDiv(GetSystemMetrics(SM_CXSMICON), static_cast<int>(state.dpi), static_cast<int>(systemDpi()));
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
    IconHandle icon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, 0)));
    if (!icon)
        return;
    SendMessageW(form, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
    state.smallIcon = std::move(icon); // the one it replaces is no longer shown
}

// The user's decimal separator, for the numbers shown.
std::string decimalSeparator()
{
    wchar_t separator[8] = L".";
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 0)
        return ".";
    return utf8(separator);
}

LRESULT CALLBACK formProcedure(HWND form, UINT message, WPARAM wParam, LPARAM lParam)
{
    FormState* state = stateOf(form);
    // Messages before createForm1 has given the window its state, and after
    // WM_NCDESTROY has taken it, are the system's.
    if (!state)
        return DefWindowProcW(form, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND: {
        // Any program can send any id: only the table's are buttons here.
        const int row = LOWORD(wParam) - controlId(0);
        if (HIWORD(wParam) == BN_CLICKED && row >= 0 && static_cast<std::size_t>(row) < kControls.size()) {
            const std::string_view name = kControls[static_cast<std::size_t>(row)].name;
            if (name == "Command1")
                calculate(form);
            else if (name == "Command2")
                print(form);
            else if (name == "Command3")
                exitProgram(form);
        }
        return 0; // Enter (IDOK) and Esc (IDCANCEL) do nothing
    }
    case WM_MEASUREITEM:
        // Combo1's rows as it is made; layOut sets them to the font.
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16;
        return TRUE;
    case WM_DRAWITEM:
        drawListItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DPICHANGED: {
        state->dpi = HIWORD(wParam);
        // The controls hold the old font until layOut gives them the new
        // one; only then is it deleted.
        const FontHandle oldFont = std::exchange(state->font, createWindowFont(state->dpi));
        layOut(form, *state);
        setSmallIcon(form, *state);
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(form, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_ACTIVATE:
        // Focus goes back where it was when the window is active again.
        if (LOWORD(wParam) == WA_INACTIVE)
            state->lastFocus = GetFocus();
        else if (state->lastFocus && IsChild(form, state->lastFocus))
            SetFocus(state->lastFocus);
        return 0;
    case WM_CLOSE:
        exitProgram(form);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        delete state;
        SetWindowLongPtrW(form, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(form, message, wParam, lParam);
}

} // namespace

HWND createForm1(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    static const ATOM windowClass = [instance] {
        WNDCLASSEXW form{};
        form.cbSize = sizeof form;
        form.lpfnWndProc = formProcedure;
        form.hInstance = instance;
        form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
        form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        form.lpszClassName = kClassName;
        return RegisterClassExW(&form);
    }();
    if (!windowClass)
        return nullptr;
    HWND form = CreateWindowExW(0, kClassName, wide(kWindowTitle).c_str(), kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
        100, 100, nullptr, nullptr, instance, nullptr);
    if (!form)
        return nullptr;
    auto* state = new FormState;
    state->dpi = dpiOfWindow(form);
    state->font = createWindowFont(state->dpi);
    SetWindowLongPtrW(form, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    setSmallIcon(form, *state);
    createControls(form, instance);
    layOut(form, *state);
    state->lastFocus = controlNamed(form, "Combo1");
    return form;
}

HWND controlNamed(HWND form, std::string_view name)
{
    const auto at = std::ranges::find(kControls, name, &ControlSpec::name);
    return at == kControls.end() ? nullptr
                                 : GetDlgItem(form, controlId(static_cast<std::size_t>(at - kControls.begin())));
}

std::string controlText(HWND control)
{
    return utf8(windowText(control));
}

void setControlText(HWND control, std::string_view text)
{
    SetWindowTextW(control, wide(text).c_str());
}

UINT formDpi(HWND form)
{
    return stateOf(form)->dpi;
}

void calculate(HWND form)
{
    // A Chinese input method in full-width mode types "４０": read as "40".
    const std::string toothCount = foldFullWidth(controlText(controlNamed(form, "Text1")));
    const std::string beltType = controlText(controlNamed(form, "Combo1"));
    try {
        const RunResult result = runCalculation(beltType, toothCount, decimalSeparator());
        for (const RunResult::Box& box : result.boxes())
            setControlText(controlNamed(form, box.name), box.text);
    } catch (const OutOfRange&) {
        showWarning(form, wide(kToothCountOutOfRange));
    }
}

void exitProgram(HWND form)
{
    DestroyWindow(form);
}

} // namespace quillon::ui::win32
