// Print end to end: the real program, a real CUPS scheduler and a printer
// that keeps each job as a PDF file. Clicks 打印 in the running window and
// reads back the PDF that the print system produced; then clicks 退出.
//
// The scheduler is the test's own (private_cups.sh): its configuration,
// spool and socket live in a temporary folder and PRINTER and LPDEST are
// cleared, so the machine's printers and defaults are never touched, whether
// the test passes, fails or is killed. It needs no root.

#include "printed_page.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>
#include <sys/prctl.h>

using namespace quillon::ui::test;

namespace {

const QString kPrinter = QStringLiteral("QuillonTestPDF");

bool administer(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

int completedJobs()
{
    const QString jobs = runTool(
        QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), kPrinter});
    return static_cast<int>(jobs.split(u'\n', Qt::SkipEmptyParts).size());
}

// Ends a child with the test, even when the test is killed.
void endWithParent()
{
    prctl(PR_SET_PDEATHSIG, SIGTERM);
}

} // namespace

class PrintEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void printGoesToTheDefaultPrinterAtTrueSize();
    void aPrinterThatRejectsJobsGetsNoneAndPrintWarns();
    void withoutThePrinterPrintWarnsAndTheWindowGoesOn();
    void exitEndsTheProgramWithStatusZero();

private:
    void click(int x, int y);
    QString waitForNewPrint(int expectedJobs);
    void printAndExpectWarning();

    QStringList printedFiles() const;

    QTemporaryDir scratch;
    QProcess scheduler;
    QProcess quillon;
    QString windowId;
};

void PrintEndToEndTest::initTestCase()
{
    QVERIFY(scratch.isValid());
    QDir(scratch.path()).mkpath(QStringLiteral("printed"));
    QDir(scratch.path()).mkpath(QStringLiteral("home"));
    // The backend runs as the scheduler's user, which may be "lp".
    QFile::setPermissions(scratch.path() + QStringLiteral("/printed"), QFileDevice::Permissions(0x7777));
    QFile::setPermissions(scratch.path(), QFileDevice::Permissions(0x7755));

    // Everything below, this test's tools and Quillon, reaches only the
    // private scheduler, in English, whatever the user's printing set-up.
    qputenv("CUPS_SERVER", (scratch.path() + QStringLiteral("/cups.sock")).toLocal8Bit());
    qputenv("HOME", (scratch.path() + QStringLiteral("/home")).toLocal8Bit()); // no ~/.cups/lpoptions
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    qputenv("LC_ALL", "C");

    scheduler.setChildProcessModifier(endWithParent);
    scheduler.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    scheduler.start(QStringLiteral(QUILLON_PRIVATE_CUPS), {scratch.path()});
    QVERIFY2(scheduler.waitForStarted(), "Cannot start the private CUPS scheduler (needs the cups package).");
    QTRY_VERIFY_WITH_TIMEOUT(
        runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running")), 10000);

    QVERIFY2(administer(QStringLiteral("lpadmin"),
                 {QStringLiteral("-p"), kPrinter, QStringLiteral("-v"),
                     QStringLiteral("keep:") + scratch.path() + QStringLiteral("/printed"), QStringLiteral("-E")}),
        "Cannot add the test printer.");
    QVERIFY(administer(QStringLiteral("lpadmin"), {QStringLiteral("-d"), kPrinter}));

    // The window as a user starts it, at its drawn size: no scaling asked
    // for by the test's own environment.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    for (const char* scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
             "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "QT_USE_PHYSICAL_DPI"})
        environment.remove(QString::fromLatin1(scaling));
    quillon.setProcessEnvironment(environment);
    quillon.setChildProcessModifier(endWithParent);
    quillon.start(QStringLiteral(QUILLON_EXECUTABLE), {});
    QVERIFY(quillon.waitForStarted());
    windowId = runTool(QStringLiteral("timeout"),
        {QStringLiteral("20"), QStringLiteral("xdotool"), QStringLiteral("search"), QStringLiteral("--sync"),
            QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), QString::number(quillon.processId()),
            QStringLiteral("--name"), QStringLiteral("^Quillon ")})
                   .section(u'\n', 0, 0);
    QVERIFY2(!windowId.isEmpty(), "Quillon's window did not appear.");
}

void PrintEndToEndTest::cleanupTestCase()
{
    for (QProcess* process : {&quillon, &scheduler}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished();
            }
        }
    }
    scratch.setAutoRemove(!qEnvironmentVariableIsSet("QUILLON_KEEP_TEST_PRINTS"));
}

QStringList PrintEndToEndTest::printedFiles() const
{
    QStringList files;
    for (const QString& name : QDir(scratch.path() + QStringLiteral("/printed")).entryList({QStringLiteral("*.pdf")}))
        files << scratch.path() + QStringLiteral("/printed/") + name;
    return files;
}

// Clicks at a point of the client area, in pixels at 96 dpi.
void PrintEndToEndTest::click(int x, int y)
{
    runTool(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QStringLiteral("--window"), windowId, QString::number(x), QString::number(y),
            QStringLiteral("click"), QStringLiteral("1")});
}

QString PrintEndToEndTest::waitForNewPrint(int expectedJobs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000) {
        const QStringList added = printedFiles();
        if (completedJobs() >= expectedJobs && added.size() >= expectedJobs) {
            // job-N.pdf: the newest job has the highest number.
            const auto jobNumber
                = [](const QString& file) { return QFileInfo(file).baseName().section(u'-', 1).toInt(); };
            return *std::max_element(added.begin(), added.end(),
                [&](const QString& a, const QString& b) { return jobNumber(a) < jobNumber(b); });
        }
        QTest::qWait(250);
    }
    return {};
}

void PrintEndToEndTest::printGoesToTheDefaultPrinterAtTrueSize()
{
    // 打印 is at 40,128, 81 x 33 pixels.
    click(80, 144);
    const QString first = waitForNewPrint(1);
    QVERIFY2(!first.isEmpty(), "No finished print job within 30 seconds.");
    QCOMPARE(completedJobs(), 1);
    QCOMPARE(pageCount(first), 1);
    // 5190 x 5085 twips: 3.604 x 3.531 inches, 360 x 353 dots at 100 dpi.
    const QRect inked = inkedArea(first, 100);
    QVERIFY2(qAbs(inked.width() - 360) <= 2 && qAbs(inked.height() - 353) <= 2,
        qPrintable(QStringLiteral("%1 x %2").arg(inked.width()).arg(inked.height())));
    QVERIFY2(inked.left() < 100 && inked.top() < 100, "The window is not at the top left of the page.");

    click(80, 144);
    QVERIFY2(!waitForNewPrint(2).isEmpty(), "The second click gave no second job.");
    QCOMPARE(completedJobs(), 2);
}

// The program's windows titled "Quillon ...": the main window and any
// message box it shows.
static QStringList quillonWindows(qint64 pid)
{
    return runTool(QStringLiteral("xdotool"),
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), QString::number(pid),
            QStringLiteral("--name"), QStringLiteral("^Quillon ")})
        .split(u'\n', Qt::SkipEmptyParts);
}

// Clicks 打印 and answers the warning that must follow; the window goes on.
void PrintEndToEndTest::printAndExpectWarning()
{
    click(80, 144);
    QTRY_COMPARE_WITH_TIMEOUT(quillonWindows(quillon.processId()).size(), 2, 10000);

    QString messageBox;
    for (const QString& id : quillonWindows(quillon.processId())) {
        if (id != windowId)
            messageBox = id;
    }
    runTool(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), messageBox});
    runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
    QTRY_COMPARE_WITH_TIMEOUT(quillonWindows(quillon.processId()).size(), 1, 10000);
    QCOMPARE(quillon.state(), QProcess::Running);
}

void PrintEndToEndTest::aPrinterThatRejectsJobsGetsNoneAndPrintWarns()
{
    QVERIFY(administer(QStringLiteral("cupsreject"), {kPrinter}));
    printAndExpectWarning();
    QTest::qWait(1000);
    QCOMPARE(completedJobs(), 2);
    QCOMPARE(runTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), kPrinter}), QString());
    QVERIFY(administer(QStringLiteral("cupsaccept"), {kPrinter}));
}

void PrintEndToEndTest::withoutThePrinterPrintWarnsAndTheWindowGoesOn()
{
    QVERIFY(administer(QStringLiteral("lpadmin"), {QStringLiteral("-x"), kPrinter}));
    printAndExpectWarning();
}

void PrintEndToEndTest::exitEndsTheProgramWithStatusZero()
{
    // 退出 is at 40,168.
    click(80, 184);
    QVERIFY(quillon.waitForFinished(10000));
    QCOMPARE(quillon.exitStatus(), QProcess::NormalExit);
    QCOMPARE(quillon.exitCode(), 0);
}

QTEST_GUILESS_MAIN(PrintEndToEndTest)
#include "print_e2e_test.moc"
