#include "ui/win32/form_parts.h"

#include "ui/texts.h"
#include "ui/win32/text.h"

#include <initguid.h>
// initguid.h before oleacc.h, for the property ids
#include <oleacc.h>

namespace quillon::ui::win32 {
namespace {

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool hasFace(const wchar_t* face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

FormState* stateOf(HWND form)
{
    return reinterpret_cast<FormState*>(GetWindowLongPtrW(form, GWLP_USERDATA));
}

int twipsToDevice(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

RECT drawnRect(const ControlSpec& row, UINT dpi)
{
    const int left = twipsToDevice(row.left, dpi);
    const int top = twipsToDevice(row.top, dpi);
    return {left, top, left + twipsToDevice(row.width, dpi), top + twipsToDevice(row.height, dpi)};
}

int rightLimitOf(std::size_t row, UINT dpi)
{
    const RECT box = drawnRect(kControls[row], dpi);
    int limit = twipsToDevice(kClientWidthTwips, dpi);
    for (std::size_t other = 0; other < kControls.size(); ++other) {
        const RECT rect = drawnRect(kControls[other], dpi);
        const bool sameLine = rect.top < box.bottom && rect.bottom > box.top;
        // A control the drawing already puts inside the caption's box
        // (Label15 over Label16's first row of pixels) is not in the way.
        if (other != row && sameLine && rect.left > box.left && rect.right > box.right)
            limit = std::min<int>(limit, rect.left);
    }
    return limit;
}

int textWidth(HWND control, HFONT font)
{
    const std::wstring text = windowText(control);
    HDC context = GetDC(control);
    HGDIOBJ previous = SelectObject(context, font);
    SIZE size{};
    GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    return size.cx;
}

const std::wstring& windowFace()
{
    static const std::wstring face = [] {
        for (const wchar_t* candidate : {L"SimSun", L"Microsoft YaHei"}) {
            if (hasFace(candidate))
                return std::wstring(candidate);
        }
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        return std::wstring(metrics.lfMessageFont.lfFaceName);
    }();
    return face;
}

FontHandle createWindowFont(UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kWindowFontPoints, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(font.lfFaceName, windowFace().c_str(), LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&font));
}

void nameControlsForScreenReaders(HWND form)
{
    // Windows would name a box from the caption before it in creation order,
    // which is not always its own (the tolerance boxes have none).
    // COM for these calls only, and balanced; the names stay with the
    // controls.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return;
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
            reinterpret_cast<void**>(&services)))) {
        for (std::size_t i = 0; i < kControls.size(); ++i) {
            if (*kControls[i].accessibleName)
                services->SetHwndPropStr(GetDlgItem(form, controlId(i)), OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                    wide(kControls[i].accessibleName).c_str());
        }
        services->Release();
    }
    CoUninitialize();
}

void showWarning(HWND form, const std::wstring& text)
{
    MessageBoxW(form, text.c_str(), wide(kWindowTitle).c_str(), MB_OK | MB_ICONWARNING);
}

} // namespace quillon::ui::win32
