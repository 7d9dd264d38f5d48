// Starts Quillon: one window, shown until it is closed or Exit is clicked.

#include "ui/Form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION_TEXT));

    quillon::ui::Form1 window;
    window.show();
    return QApplication::exec();
}
