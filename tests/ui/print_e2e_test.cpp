// Print end to end: the real program, a real CUPS scheduler and a PDF printer
// (cups-pdf) as the default destination. Clicks 打印 in the running window and
// reads back the PDF that the print system produced; then clicks 退出.
//
// Needs a running CUPS scheduler and the right to add a printer (root, or
// sudo without a password); tools/test.sh provides both. The test printer is
// removed again and the previous default destination restored.

#include "printed_page.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

using namespace quillon::ui::test;

namespace {

const QString kPrinter = u"QuillonTestPDF"_qs;

// Runs a print administration command, through sudo when we are not root.
bool administer(const QString& program, const QStringList& arguments)
{
    QProcess process;
    if (geteuid() == 0)
        process.start(program, arguments);
    else
        process.start(u"sudo"_qs, QStringList{u"-n"_qs, program} + arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

int completedJobs()
{
    const QString jobs = runTool(u"lpstat"_qs, {u"-W"_qs, u"completed"_qs, u"-o"_qs, kPrinter});
    return static_cast<int>(jobs.split(u'\n', Qt::SkipEmptyParts).size());
}

// cups-pdf names its files after the job: "<title>__F-job_<id>.pdf" or the like.
QStringList printedFiles()
{
    QStringList files;
    // cups-pdf writes into the job owner's home as the user database has it,
    // whatever HOME says.
    const passwd* user = getpwuid(geteuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    for (const QString& root : {home + u"/PDF"_qs, u"/var/spool/cups-pdf"_qs}) {
        QDirIterator it(root, {u"*.pdf"_qs}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    return files;
}

} // namespace

class PrintEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void printGoesToTheDefaultPrinterAtTrueSize();
    void withoutThePrinterPrintWarnsAndTheWindowGoesOn();
    void exitEndsTheProgramWithStatusZero();

private:
    void click(int x, int y);
    QString waitForNewPrint(int expectedJobs);

    QString previousDefault;
    QStringList filesBefore;
    QProcess quillon;
    QString windowId;
};

void PrintEndToEndTest::initTestCase()
{
    QVERIFY2(runTool(u"lpstat"_qs, {u"-r"_qs}).contains(u"is running"_qs),
        "No CUPS scheduler is running; tools/test.sh starts one.");
    const QString defaultLine = runTool(u"lpstat"_qs, {u"-d"_qs});
    if (defaultLine.contains(u':') && !defaultLine.contains(u"no system default"_qs))
        previousDefault = defaultLine.section(u':', 1).trimmed();

    QVERIFY2(administer(u"lpadmin"_qs,
                 {u"-p"_qs, kPrinter, u"-v"_qs, u"cups-pdf:/"_qs, u"-P"_qs,
                     u"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"_qs, u"-E"_qs}),
        "Cannot add the PDF printer (needs printer-driver-cups-pdf and root or sudo).");
    QVERIFY(administer(u"lpadmin"_qs, {u"-d"_qs, kPrinter}));
    filesBefore = printedFiles();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_qs, u"xcb"_qs);
    quillon.setProcessEnvironment(environment);
    quillon.start(QStringLiteral(QUILLON_EXECUTABLE), {});
    QVERIFY(quillon.waitForStarted());
    windowId = runTool(u"timeout"_qs,
        {u"20"_qs, u"xdotool"_qs, u"search"_qs, u"--sync"_qs, u"--onlyvisible"_qs, u"--pid"_qs,
            QString::number(quillon.processId()), u"--name"_qs, u"^Quillon "_qs})
                   .section(u'\n', 0, 0);
    QVERIFY2(!windowId.isEmpty(), "Quillon's window did not appear.");
}

void PrintEndToEndTest::cleanupTestCase()
{
    if (quillon.state() != QProcess::NotRunning) {
        quillon.kill();
        quillon.waitForFinished();
    }
    administer(u"lpadmin"_qs, {u"-x"_qs, kPrinter});
    if (!previousDefault.isEmpty())
        administer(u"lpadmin"_qs, {u"-d"_qs, previousDefault});
    if (qEnvironmentVariableIsSet("QUILLON_KEEP_TEST_PRINTS"))
        return;
    for (const QString& file : printedFiles()) {
        if (!filesBefore.contains(file))
            QFile::remove(file);
    }
}

// Clicks at a point of the client area, in pixels at 96 dpi.
void PrintEndToEndTest::click(int x, int y)
{
    runTool(u"xdotool"_qs,
        {u"mousemove"_qs, u"--window"_qs, windowId, QString::number(x), QString::number(y), u"click"_qs, u"1"_qs});
}

QString PrintEndToEndTest::waitForNewPrint(int expectedJobs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000) {
        QStringList added;
        for (const QString& file : printedFiles()) {
            if (!filesBefore.contains(file))
                added << file;
        }
        if (completedJobs() >= expectedJobs && added.size() >= expectedJobs) {
            QTest::qWait(500); // let cups-pdf finish writing
            QStringList sorted = added;
            std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
                return QFileInfo(a).lastModified() < QFileInfo(b).lastModified();
            });
            return sorted.back();
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
    return runTool(u"xdotool"_qs,
        {u"search"_qs, u"--onlyvisible"_qs, u"--pid"_qs, QString::number(pid), u"--name"_qs, u"^Quillon "_qs})
        .split(u'\n', Qt::SkipEmptyParts);
}

void PrintEndToEndTest::withoutThePrinterPrintWarnsAndTheWindowGoesOn()
{
    QVERIFY(administer(u"lpadmin"_qs, {u"-x"_qs, kPrinter}));
    click(80, 144);
    QTRY_COMPARE_WITH_TIMEOUT(quillonWindows(quillon.processId()).size(), 2, 10000);

    QString messageBox;
    for (const QString& id : quillonWindows(quillon.processId())) {
        if (id != windowId)
            messageBox = id;
    }
    runTool(u"xdotool"_qs, {u"windowfocus"_qs, u"--sync"_qs, messageBox});
    runTool(u"xdotool"_qs, {u"key"_qs, u"Return"_qs});
    QTRY_COMPARE_WITH_TIMEOUT(quillonWindows(quillon.processId()).size(), 1, 10000);
    QCOMPARE(quillon.state(), QProcess::Running);
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
