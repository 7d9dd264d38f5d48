// Starts Quillon: one window, shown until it is closed or Exit is clicked.

#include "app/program_icon.h"
#include "ui/qt/Form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION_TEXT));
    // Ties the window to its desktop entry, for the taskbar and the dock.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));

    QApplication::setWindowIcon(quillon::app::programIcon());

    quillon::ui::Form1 window;
    window.show();
    return QApplication::exec();
}
