// Print and Exit inside the program: the printed page, the state of the
// window afterwards, the missing printer, and the end of the event loop.
// Runs with no reachable print system (CUPS_SERVER points nowhere), so the
// window has no default printer; the real printer is tested end to end.

#include "modal_watchdog.h"
#include "printed_page.h"
#include "ui/Form1.h"

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
    void printsWhatTheBoxesShowNow();
    void printingLeavesTheWindowAsItWas();
    void unstartablePrinterReportsFailure();
    void withoutADefaultPrinterWarnsAndGoesOn();
    void exitEndsTheEventLoopWithStatusZero();
    void closingTheWindowEndsTheEventLoop();

private:
    QString printToPdf();
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(QString::fromLatin1(name)); }

    QTemporaryDir dir{QDir::tempPath() + u"/quillon-print-test"_qs};
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
QString PrintTest::printToPdf()
{
    const QString path = dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentTestFunction()));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
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

void PrintTest::printsWhatTheBoxesShowNow()
{
    QString text = pageText(printToPdf());
    QVERIFY2(text.contains(u"Text2"_qs) && text.contains(u"Text21"_qs) && text.contains(u"MXL"_qs), qPrintable(text));

    QLineEdit* bottomWidth = window->textBox(u"Text5");
    bottomWidth->setFocus();
    bottomWidth->selectAll();
    QTest::keyClicks(bottomWidth, u"typed"_qs);
    QTest::mouseClick(button("Command1"), Qt::LeftButton); // overwrites Text5 ...
    bottomWidth->setText(u"9.87"_qs);                      // ... and the user changes it again
    text = pageText(printToPdf());
    QVERIFY2(text.contains(u"9.87"_qs) && text.contains(u"25.872"_qs), qPrintable(text));
    QVERIFY(!text.contains(u"0.84"_qs));
}

void PrintTest::printingLeavesTheWindowAsItWas()
{
    window->textBox(u"Text7")->setText(u"kept"_qs);
    QVERIFY(!printToPdf().isEmpty());
    QVERIFY(!printToPdf().isEmpty()); // twice, the same each time
    QCOMPARE(window->textBox(u"Text7")->text(), u"kept"_qs);
    QCOMPARE(window->textBox(u"Text2")->text(), u"Text2"_qs);
    QVERIFY(window->isVisible());
}

void PrintTest::unstartablePrinterReportsFailure()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(u"/nonexistent-directory/quillon.pdf"_qs);
    QVERIFY(!window->printOn(printer));
}

void PrintTest::withoutADefaultPrinterWarnsAndGoesOn()
{
    window->textBox(u"Text4")->setText(u"as before"_qs);
    watchdog->expectMessageBox();
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
    QCOMPARE(watchdog->expectedTexts.size(), 1);
    QVERIFY(watchdog->expectedTexts.front().contains(u"默认打印机"_qs));
    QCOMPARE(window->textBox(u"Text4")->text(), u"as before"_qs);
    QCOMPARE(window->focusWidget(), button("Command2"));

    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    QCOMPARE(window->textBox(u"Text13")->text(), u"25.872"_qs);
}

void PrintTest::exitEndsTheEventLoopWithStatusZero()
{
    window->textBox(u"Text2")->setText(u"unsaved"_qs);
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
