// 打印 on Windows: the window drawn again on the default printer, control by
// control, as vector graphics: text is drawn as text in the window's face,
// scaled to the printer's resolution, never a screen bitmap.
#include "ui/controls.h"
#include "ui/texts.h"
#include "ui/win32/Form1.h"
#include "ui/win32/form_parts.h"
#include "ui/win32/system_calls.h"
#include "ui/win32/text.h"

#include <winspool.h>

#include <algorithm>
#include <type_traits>
#include <vector>

namespace quillon::ui::win32 {
namespace {

// The print spooler's calls, loaded when 打印 first asks for them: most
// sessions never print, and loading the spooler at start costs a twentieth
// of the start-up under Wine, which asks the print system for its printers
// then.
struct Spooler {
    decltype(&GetDefaultPrinterW) getDefaultPrinter = nullptr;
    decltype(&OpenPrinterW) openPrinter = nullptr;
    decltype(&GetPrinterW) getPrinter = nullptr;
    decltype(&ClosePrinter) closePrinter = nullptr;
};

// Null when the spooler or one of its calls is missing.
const Spooler* spooler()
{
    static const Spooler loaded = [] {
        Spooler calls;
        // From the system folder only: by its bare name, a winspool.drv
        // beside the program would be found first.
        HMODULE module = loadSystemLibrary(L"winspool.drv");
        const auto load = [module](auto& call, const char* name) {
            call = findCall<std::remove_reference_t<decltype(call)>>(module, name);
        };
        load(calls.getDefaultPrinter, "GetDefaultPrinterW");
        load(calls.openPrinter, "OpenPrinterW");
        load(calls.getPrinter, "GetPrinterW");
        load(calls.closePrinter, "ClosePrinter");
        return calls;
    }();
    const bool complete = loaded.getDefaultPrinter && loaded.openPrinter && loaded.getPrinter && loaded.closePrinter;
    return complete ? &loaded : nullptr;
}

// Why the named printer takes no jobs now, or nothing when it does or
// cannot say.
std::wstring whyPrinterRefuses(const Spooler& spooler, const std::wstring& printer)
{
    HANDLE handle = nullptr;
    if (!spooler.openPrinter(const_cast<wchar_t*>(printer.c_str()), &handle, nullptr))
        return {};
    DWORD needed = 0;
    spooler.getPrinter(handle, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    std::wstring refusal;
    if (needed && spooler.getPrinter(handle, 2, buffer.data(), needed, &needed)) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
        if (info->Status & PRINTER_STATUS_PAUSED)
            refusal = wide(kIsStopped);
        else if (info->Status & (PRINTER_STATUS_ERROR | PRINTER_STATUS_OFFLINE | PRINTER_STATUS_NOT_AVAILABLE)
            || info->Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE)
            refusal = wide(kRefusesJobs);
    }
    spooler.closePrinter(handle);
    return refusal;
}

// Device pixels per window pixel, across and down: a printer's two
// resolutions may differ (600 × 300 dpi in draft).
struct Scale {
    double x = 1;
    double y = 1;
};

int toDevice(LONG pixels, double scale)
{
    return static_cast<int>(pixels * scale + 0.5);
}

// The window's face at its point size, in the page's vertical pixels; the
// system gives its width the same length on paper.
FontHandle pageFont(HWND form, Scale scale)
{
    LOGFONTW face{};
    face.lfHeight = -toDevice(MulDiv(kWindowFontPoints, static_cast<int>(formDpi(form)), 72), scale.y);
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(face.lfFaceName, windowFace().c_str(), LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&face));
}

// Objects selected into a device context, the ones before put back when it
// ends, in the reverse order.
class Selection {
public:
    explicit Selection(HDC device) : device_(device) { }
    ~Selection()
    {
        for (auto previous = previous_.rbegin(); previous != previous_.rend(); ++previous)
            SelectObject(device_, *previous);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    void select(HGDIOBJ object) { previous_.push_back(SelectObject(device_, object)); }

private:
    HDC device_;
    std::vector<HGDIOBJ> previous_;
};

// Where a control is on the page.
RECT pageBox(HWND form, HWND control, Scale scale)
{
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&box), 2);
    return {toDevice(box.left, scale.x), toDevice(box.top, scale.y), toDevice(box.right, scale.x),
        toDevice(box.bottom, scale.y)};
}

// A combo box's drop-down button at the right of its box, a square on paper
// with its arrow; the text stops short of it.
void drawDropDownButton(HDC device, RECT& box, Scale scale)
{
    const int height = box.bottom - box.top;
    const int width = static_cast<int>(height * scale.x / scale.y + 0.5);
    SetDCBrushColor(device, GetSysColor(COLOR_BTNFACE));
    Rectangle(device, box.right - width, box.top, box.right, box.bottom);
    const int middle = box.right - width / 2;
    const int y = (box.top + box.bottom) / 2;
    const POINT arrow[]
        = {{middle - width / 5, y - height / 10}, {middle + width / 5, y - height / 10}, {middle, y + height / 7}};
    SetDCBrushColor(device, GetSysColor(COLOR_BTNTEXT));
    Polygon(device, arrow, 3);
    box.right -= width;
}

// Draws what a control of this kind shows around its text and narrows box to
// where the text goes; returns how the text is placed in it.
UINT drawControlFrame(HDC device, ControlKind kind, RECT& box, Scale scale)
{
    switch (kind) {
    case Label:
        return DT_SINGLELINE | DT_NOPREFIX | DT_TOP;
    case TextBox:
    case ComboBox:
        SetDCPenColor(device, GetSysColor(COLOR_3DSHADOW));
        SetDCBrushColor(device, GetSysColor(COLOR_WINDOW));
        Rectangle(device, box.left, box.top, box.right, box.bottom);
        // Where the text starts on screen: inside a text box's one-pixel
        // frame, or the combo box's sunken edge and its edit's inset.
        box.left += toDevice(kind == TextBox ? 1 : 3, scale.x);
        if (kind == ComboBox)
            drawDropDownButton(device, box, scale);
        break;
    case PushButton:
        SetDCPenColor(device, GetSysColor(COLOR_3DSHADOW));
        SetDCBrushColor(device, GetSysColor(COLOR_BTNFACE));
        Rectangle(device, box.left, box.top, box.right, box.bottom);
        return DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_CENTER;
    }
    return DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;
}

// Draws the window's controls onto a device context, each window pixel
// scale.x device pixels wide and scale.y high, in the window's face.
void drawForm(HWND form, HDC device, Scale scale)
{
    const FontHandle font = pageFont(form, scale);
    Selection selection(device);
    selection.select(font.get());
    selection.select(GetStockObject(DC_PEN));
    selection.select(GetStockObject(DC_BRUSH));
    SetBkMode(device, TRANSPARENT);

    RECT client{};
    GetClientRect(form, &client);
    SetDCPenColor(device, GetSysColor(COLOR_BTNFACE));
    SetDCBrushColor(device, GetSysColor(COLOR_BTNFACE));
    Rectangle(device, 0, 0, toDevice(client.right, scale.x), toDevice(client.bottom, scale.y));

    for (std::size_t i = 0; i < kControls.size(); ++i) {
        HWND control = GetDlgItem(form, controlId(i));
        RECT box = pageBox(form, control, scale);
        const UINT format = drawControlFrame(device, kControls[i].kind, box, scale);
        const std::wstring text = windowText(control);
        SetTextColor(device, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(device, text.c_str(), static_cast<int>(text.size()), &box, format);
    }
}

} // namespace

void print(HWND form)
{
    const Spooler* calls = spooler();
    DWORD size = 0;
    if (calls)
        calls->getDefaultPrinter(nullptr, &size);
    std::wstring printer(size, L'\0');
    if (!calls || size == 0 || !calls->getDefaultPrinter(printer.data(), &size)) {
        showWarning(form, wide(kNoDefaultPrinter));
        return;
    }
    printer.resize(size > 0 ? size - 1 : 0);
    if (const std::wstring refusal = whyPrinterRefuses(*calls, printer); !refusal.empty()) {
        showWarning(form, fillIn(kPrinterRefuses, printer, refusal));
        return;
    }
    const auto failed = [&](const char* step) { showWarning(form, fillIn(kPrintStepFailed, printer, wide(step))); };
    HDC device = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr);
    if (!device)
        return failed(kStepPrepare);

    // True size at the top left of the printable area, which is where the
    // device context's origin is; scaled down as a whole where the area is
    // smaller than the window. Each axis at its own resolution.
    RECT client{};
    GetClientRect(form, &client);
    const double dpi = formDpi(form);
    const Scale trueSize{GetDeviceCaps(device, LOGPIXELSX) / dpi, GetDeviceCaps(device, LOGPIXELSY) / dpi};
    const double fit = std::min({1.0, GetDeviceCaps(device, HORZRES) / (client.right * trueSize.x),
        GetDeviceCaps(device, VERTRES) / (client.bottom * trueSize.y)});

    const std::wstring title = wide(kWindowTitle);
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = title.c_str();
    const char* failedStep = nullptr;
    if (StartDocW(device, &document) <= 0) {
        // Cancelled in the printer's own dialog (a file name asked for): the
        // user's choice, nothing to warn about.
        if (GetLastError() != ERROR_CANCELLED)
            failedStep = kStepStartJob;
    } else if (StartPage(device) <= 0) {
        failedStep = kStepStartPage;
        AbortDoc(device);
    } else {
        drawForm(form, device, {trueSize.x * fit, trueSize.y * fit});
        if (EndPage(device) <= 0) {
            failedStep = kStepSendPage;
            AbortDoc(device);
        } else if (EndDoc(device) <= 0) {
            failedStep = kStepEndJob;
        }
    }
    DeleteDC(device);
    if (failedStep)
        failed(failedStep);
}

} // namespace quillon::ui::win32
