#include "ui/qt/window_font.h"

#include "ui/texts.h"

#include <QApplication>
#include <QFontDatabase>

namespace quillon::ui {
namespace {

// Half-width Latin letters and digits, as the layout was drawn for.
constexpr auto kFamily = "Noto Sans Mono CJK SC";

} // namespace

QFont windowFont()
{
    const QString family = QString::fromLatin1(kFamily);
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QApplication::font();
    font.setPointSize(kWindowFontPoints);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace quillon::ui
