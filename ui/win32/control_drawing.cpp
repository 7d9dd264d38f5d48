#include "ui/win32/control_drawing.h"

#include <commctrl.h>

#include <string>

namespace quillon::ui::win32 {

LRESULT CALLBACK textBoxFrame(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    switch (message) {
    case WM_NCDESTROY:
        // The last message: the subclass goes with the box.
        RemoveWindowSubclass(box, textBoxFrame, id);
        break;
    case WM_NCCALCSIZE:
        // The client area is the window less the frame, whether lParam is a
        // RECT or NCCALCSIZE_PARAMS (whose first member is that rectangle).
        InflateRect(reinterpret_cast<RECT*>(lParam), -1, -1);
        return 0;
    case WM_NCPAINT: {
        RECT frame{};
        GetWindowRect(box, &frame);
        OffsetRect(&frame, -frame.left, -frame.top);
        HDC context = GetWindowDC(box);
        FrameRect(context, &frame, GetSysColorBrush(COLOR_3DSHADOW));
        ReleaseDC(box, context);
        return 0;
    }
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

int listRowHeight(HWND form, HFONT font)
{
    HDC context = GetDC(form);
    HGDIOBJ previous = SelectObject(context, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, previous);
    ReleaseDC(form, context);
    return metrics.tmHeight + 2;
}

void drawListItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1))
        return;
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    std::wstring text(
        static_cast<std::size_t>(SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()))));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT room = item.rcItem;
    room.left += 2;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &room, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

} // namespace quillon::ui::win32
