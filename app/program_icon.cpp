#include "app/program_icon.h"

// Outside any namespace, as Q_INIT_RESOURCE requires. It also makes a build
// without the compiled icon resource fail to link, instead of starting with
// an empty icon.
static void initIconResource()
{
    Q_INIT_RESOURCE(icons);
}

namespace quillon::app {

QIcon programIcon()
{
    initIconResource();
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/quillon-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace quillon::app
