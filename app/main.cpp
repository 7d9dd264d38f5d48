// Starts Quillon: one window, shown until it is closed or Exit is clicked.

#include "ui/Form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION_TEXT));
    // Ties the window to its desktop entry, for the taskbar and the dock.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));

    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/quillon-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    quillon::ui::Form1 window;
    window.show();
    return QApplication::exec();
}
