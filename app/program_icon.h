// The program's icon, as the window, the taskbar and the task switcher show it.
#pragma once

#include <QIcon>

namespace quillon::app {

// The icon in its four sizes, 16, 32, 48 and 256 pixels, read from the
// resources compiled into the program.
QIcon programIcon();

} // namespace quillon::app
