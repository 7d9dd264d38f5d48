#include "app/program_icon.h"

#include <QImageReader>
#include <QPixmap>

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
    // Read as PNG with Qt's own reader: left to detect the format, Qt loads
    // every image format plugin (GIF, ICO, JPEG with libjpeg) to ask each
    // whether it reads the file, at every start.
    QIcon icon;
    for (int size : kProgramIconSizes) {
        QImageReader reader(QStringLiteral(":/icons/quillon-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

} // namespace quillon::app
