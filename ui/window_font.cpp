#include "ui/window_font.h"

#include <QApplication>
#include <QFontDatabase>

namespace quillon::ui {
namespace {

constexpr int kPointSize = 9;

#ifdef Q_OS_WIN
constexpr auto kFamily = "SimSun";
#else
constexpr auto kFamily = "Noto Sans Mono CJK SC";
#endif

} // namespace

QFont windowFont()
{
    const QString family = QString::fromLatin1(kFamily);
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QApplication::font();
    font.setPointSize(kPointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace quillon::ui
