// The icon compiled into the program: every size is there and readable.

#include "app/program_icon.h"

#include <QFile>
#include <QtTest>

class ProgramIconTest : public QObject {
    Q_OBJECT

private slots:
    void everySizeIsCompiledIn()
    {
        const QIcon icon = quillon::app::programIcon();
        for (int size : quillon::app::kProgramIconSizes) {
            const QString path = QStringLiteral(":/icons/quillon-%1.png").arg(size);
            QVERIFY2(QFile::exists(path), qPrintable(path));
            QCOMPARE(QImage(path).size(), QSize(size, size));
            QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        }
    }
};

QTEST_MAIN(ProgramIconTest)
#include "icon_test.moc"
