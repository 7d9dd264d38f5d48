// What the window's code shares inside the Win32 front end: the window's
// state, control ids, geometry at a DPI, the font, screen-reader names and
// warnings.
#pragma once

#include "ui/controls.h"

#include <windows.h>

#include <memory>
#include <string>

namespace quillon::ui::win32 {

// A GDI font, deleted with its owner.
struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// An icon loaded at a size of our own, destroyed with its owner.
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct FormState {
    UINT dpi = 96;
    FontHandle font;
    IconHandle smallIcon;     // the title bar's, at the window's DPI
    HWND lastFocus = nullptr; // restored when the window is active again
};

// The state the window keeps in its user data.
FormState* stateOf(HWND form);

// The id of the control in row i of the table.
constexpr int controlId(std::size_t row)
{
    return 100 + static_cast<int>(row);
}

// Twips in device pixels at a DPI: twips × DPI ÷ 1440.
//   (5190, 96) -> 346   (5190, 144) -> 519
int twipsToDevice(int twips, UINT dpi);

// A control's rectangle as drawn, in client pixels at a DPI.
RECT drawnRect(const ControlSpec& row, UINT dpi);

// How far right the caption in row i may reach: the left edge of the next
// control on its line that reaches past the caption's drawn box, or the
// client area's right edge. Widening it there covers no more of any control
// than the drawing does.
int rightLimitOf(std::size_t row, UINT dpi);

// The width in pixels of a control's text in a font (GetTextExtentPoint32W).
int textWidth(HWND control, HFONT font);

// The window's own font at 9 points at a DPI: SimSun, else Microsoft YaHei,
// else the system's message font, chosen once.
FontHandle createWindowFont(UINT dpi);

// The face createWindowFont uses.
const std::wstring& windowFace();

// Gives each box the accessible name of the table, so that a screen reader
// says "节径 dj" rather than "edit".
void nameControlsForScreenReaders(HWND form);

// A warning in a message box owned by the window.
void showWarning(HWND form, const std::wstring& text);

} // namespace quillon::ui::win32
