// The program's icon, as the window, the taskbar and the task switcher show it.
#pragma once

#include <QIcon>

#include <array>

namespace quillon::app {

// The sizes in pixels that title bars, task bars and task switchers draw from
// a window's own icon (_NET_WM_ICON). Each is sent to the X server at every
// start, so the 256-pixel image, which alone cost a tenth of the start-up,
// stays with the desktop's icon theme.
inline constexpr std::array<int, 3> kProgramIconSizes = {16, 32, 48};

// The icon in the sizes of kProgramIconSizes, read from the resources
// compiled into the program.
QIcon programIcon();

} // namespace quillon::app
