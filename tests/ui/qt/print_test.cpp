// Print and Exit inside the program: the printed page, the state of the
// window afterwards, the missing printer, and the end of the event loop.
// Runs with no reachable print system (CUPS_SERVER points nowhere), so the
// window has no default printer; the real printer is tested end to end.

#include "modal_watchdog.h"
#include "printed_page.h"
#include "ui/qt/Form1.h"

#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

#include <memory>

using quillon::ui::Form1;
using namespace quillon::ui::test;

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void printsTheWindowAtItsTrueSize();
    void scalesDownToASmallPrintableArea();
    void printsWhatTheBoxesShowNow();
    void printingLeavesTheWindowAsItWas();
    void unstartablePrinterReportsFailure();
    void withoutADefaultPrinterWarnsAndGoesOn();
    void exitEndsTheEventLoopWithStatusZero();
    void closingTheWindowEndsTheEventLoop();

private:
    QString printToPdf(QPageSize::PageSizeId paper = QPageSize::A4);
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(QString::fromLatin1(name)); }

    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/quillon-print-test")};
    std::unique_ptr<Form1> window;
    std::unique_ptr<ModalWatchdog> watchdog;
};

void PrintTest::init()
{
    // Set QUILLON_KEEP_TEST_PRINTS to look at the PDF files afterwards.
    dir.setAutoRemove(!qEnvironmentVariableIsSet("QUILLON_KEEP_TEST_PRINTS"));
    watchdog = std::make_unique<ModalWatchdog>();
    window = std::make_unique<Form1>();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void PrintTest::cleanup()
{
    window.reset();
    QVERIFY2(watchdog->unexpectedTexts.isEmpty(), qPrintable(watchdog->unexpectedTexts.join(u'\n')));
    watchdog.reset();
}

// Prints through the same code as the button, onto a PDF file.
QString PrintTest::printToPdf(QPageSize::PageSizeId paper)
{
    const QString path = dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentTestFunction()));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(paper));
    printer.setPageMargins(QMarginsF(0.5, 0.75, 0.5, 0.5), QPageLayout::Inch);
    if (!window->printOn(printer))
        return {};
    return path;
}

void PrintTest::printsTheWindowAtItsTrueSize()
{
    const QString pdf = printToPdf();
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(pageCount(pdf), 1);
    // 5190 x 5085 twips are 3.604 x 3.531 inches: 360 x 353 dots at 100 dpi,
    // placed at the margins, 0.5 inch from the left and 0.75 from the top.
    const QRect inked = inkedArea(pdf, 100);
    QVERIFY2(qAbs(inked.width() - 360) <= 2, qPrintable(QString::number(inked.width())));
    QVERIFY2(qAbs(inked.height() - 353) <= 2, qPrintable(QString::number(inked.height())));
    QVERIFY2(qAbs(inked.left() - 50) <= 2, qPrintable(QString::number(inked.left())));
    QVERIFY2(qAbs(inked.top() - 75) <= 2, qPrintable(QString::number(inked.top())));
}

void PrintTest::scalesDownToASmallPrintableArea()
{
    // A6 is 4.13 inches wide: with half-inch margins 3.13 inches are left for
    // the 3.604-inch window, which is scaled down uniformly to fit them.
    const QString pdf = printToPdf(QPageSize::A6);
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(pageCount(pdf), 1);
    const QRect inked = inkedArea(pdf, 100);
    const double fit = 313.0 / 360.4; // the printable width over the true width, at 100 dpi
    QVERIFY2(qAbs(inked.width() - 360.4 * fit) <= 2, qPrintable(QString::number(inked.width())));
    QVERIFY2(qAbs(inked.height() - 353.1 * fit) <= 2, qPrintable(QString::number(inked.height())));
    QVERIFY2(qAbs(inked.left() - 50) <= 2, qPrintable(QString::number(inked.left())));
    QVERIFY2(qAbs(inked.top() - 75) <= 2, qPrintable(QString::number(inked.top())));
}

void PrintTest::printsWhatTheBoxesShowNow()
{
    QString text = pageText(printToPdf());
    QVERIFY2(text.contains(QStringLiteral("Text2")) && text.contains(QStringLiteral("Text21"))
            && text.contains(QStringLiteral("MXL")),
        qPrintable(text));

    QLineEdit* bottomWidth = window->textBox(u"Text5");
    bottomWidth->setFocus();
    bottomWidth->selectAll();
    QTest::keyClicks(bottomWidth, QStringLiteral("typed"));
    QTest::mouseClick(button("Command1"), Qt::LeftButton); // overwrites Text5 ...
    bottomWidth->setText(QStringLiteral("9.87"));          // ... and the user changes it again
    text = pageText(printToPdf());
    QVERIFY2(text.contains(QStringLiteral("9.87")) && text.contains(QStringLiteral("25.872")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("0.84")));
}

void PrintTest::printingLeavesTheWindowAsItWas()
{
    window->textBox(u"Text7")->setText(QStringLiteral("kept"));
    QVERIFY(!printToPdf().isEmpty());
    QVERIFY(!printToPdf().isEmpty()); // twice, the same each time
    QCOMPARE(window->textBox(u"Text7")->text(), QStringLiteral("kept"));
    QCOMPARE(window->textBox(u"Text2")->text(), QStringLiteral("Text2"));
    QVERIFY(window->isVisible());
}

void PrintTest::unstartablePrinterReportsFailure()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-directory/quillon.pdf"));
    QVERIFY(!window->printOn(printer));
}

void PrintTest::withoutADefaultPrinterWarnsAndGoesOn()
{
    window->textBox(u"Text4")->setText(QStringLiteral("as before"));
    watchdog->expectMessageBox();
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
    QCOMPARE(watchdog->expectedTexts.size(), 1);
    QVERIFY(watchdog->expectedTexts.front().contains(QStringLiteral("默认打印机")));
    QCOMPARE(window->textBox(u"Text4")->text(), QStringLiteral("as before"));
    QCOMPARE(window->focusWidget(), button("Command2"));

    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    QCOMPARE(window->textBox(u"Text13")->text(), QStringLiteral("25.872"));
}

void PrintTest::exitEndsTheEventLoopWithStatusZero()
{
    window->textBox(u"Text2")->setText(QStringLiteral("unsaved"));
    QTimer::singleShot(0, this, [this] { QTest::mouseClick(button("Command3"), Qt::LeftButton); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); }); // in case Exit does nothing
    QCOMPARE(QCoreApplication::exec(), 0);
}

void PrintTest::closingTheWindowEndsTheEventLoop()
{
    QTimer::singleShot(0, window.get(), &QWidget::close);
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
