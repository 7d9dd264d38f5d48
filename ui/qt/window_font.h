// The one font of the window. The layout is fixed in twips and was drawn for
// a 9-point Simplified Chinese UI font whose Latin letters and digits are
// half-width (6 pixels at 96 dpi); a desktop's own font, wider or larger,
// would cut texts off in their boxes ("52-100 Z101-20").
#pragma once

#include <QFont>

namespace quillon::ui {

// The window's font at 9 points, whatever size and face the desktop asks
// for: Noto Sans Mono CJK SC (half-width Latin, from fonts-noto-cjk). Where
// that face is missing, the desktop's family at 9 points.
QFont windowFont();

} // namespace quillon::ui
