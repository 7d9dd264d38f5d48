// Where the window draws a control itself, so that it keeps the drawing's
// size whatever the face: the text boxes' frame and Combo1's list rows.
#pragma once

#include <windows.h>

namespace quillon::ui::win32 {

// A text box's frame (SetWindowSubclass): one pixel, with the text right
// inside it. The narrow result boxes were drawn for that; a sunken client
// edge with the edit control's own inset would take three pixels a side.
LRESULT CALLBACK textBoxFrame(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

// The height of a row of Combo1's list in a font: its line height and a
// pixel above and below.
int listRowHeight(HWND form, HFONT font);

// One row of Combo1's open list (WM_DRAWITEM), as the system draws one.
void drawListItem(const DRAWITEMSTRUCT& item);

} // namespace quillon::ui::win32
