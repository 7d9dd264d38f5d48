// The window on real desktops: whatever font the desktop asks for, the
// controls use the window's own 9-point font and every caption and result is
// painted whole inside its box, with no control over another.

#include "modal_watchdog.h"
#include "ui/qt/Form1.h"
#include "ui/qt/window_font.h"

#include "calc/catalogue/catalogue.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QtTest>

#include <memory>
#include <set>

using quillon::ui::Form1;

namespace {

// The width a line edit shows its text in: it paints from two pixels inside
// its contents rectangle (less the text margins) and clips at the rectangle's
// edge, the inner edge of its frame. The cursor stands at the start after
// every write, so a long text is not scrolled.
int textRoom(const QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    return contents.marginsRemoved(edit->textMargins()).width() - 2;
}

int textRoom(const QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

// Pairs of controls that the drawing itself lets touch: each value box and
// its tolerance box share a pixel column, and three label pairs meet.
const std::set<std::pair<QString, QString>> kDrawnOverlaps = {
    {QStringLiteral("Text5"), QStringLiteral("Text14")},
    {QStringLiteral("Text6"), QStringLiteral("Text21")},
    {QStringLiteral("Text7"), QStringLiteral("Text15")},
    {QStringLiteral("Text8"), QStringLiteral("Text16")},
    {QStringLiteral("Text9"), QStringLiteral("Text17")},
    {QStringLiteral("Text10"), QStringLiteral("Text18")},
    {QStringLiteral("Label1"), QStringLiteral("Combo1")},
    {QStringLiteral("Label13"), QStringLiteral("Text12")},
    {QStringLiteral("Label15"), QStringLiteral("Label16")},
};

} // namespace

class WindowFontTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyControlUsesTheWindowFontAtNinePoints_data() { desktopFonts(); }
    void everyControlUsesTheWindowFontAtNinePoints();
    void captionsAndInitialTextsAreWhole_data() { desktopFonts(); }
    void captionsAndInitialTextsAreWhole();
    void everyBeltTypeIsWholeInTheList_data() { desktopFonts(); }
    void everyBeltTypeIsWholeInTheList();
    void everyResultIsWhole_data() { desktopFonts(); }
    void everyResultIsWhole();
    void noControlCoversAnother_data() { desktopFonts(); }
    void noControlCoversAnother();
    void warningsKeepTheDesktopFont();

private:
    // The fonts a desktop's platform theme may set for the application.
    void desktopFonts();
    void buildWindow();
    void expectWhole(const QWidget* control, const QString& text);

    QFont desktopFont;
    std::unique_ptr<Form1> window;
    std::unique_ptr<quillon::ui::test::ModalWatchdog> watchdog;
};

void WindowFontTest::desktopFonts()
{
    QTest::addColumn<QFont>("desktop");
    for (int points : {9, 10, 11, 12})
        QTest::addRow("DejaVu Sans %d pt", points) << QFont(QStringLiteral("DejaVu Sans"), points);
}

void WindowFontTest::init()
{
    desktopFont = QApplication::font();
    watchdog = std::make_unique<quillon::ui::test::ModalWatchdog>();
}

void WindowFontTest::cleanup()
{
    window.reset();
    QApplication::setFont(desktopFont);
    QVERIFY2(watchdog->unexpectedTexts.isEmpty(), qPrintable(watchdog->unexpectedTexts.join(u'\n')));
    watchdog.reset();
}

// Sets the desktop's font, as a platform theme does at start-up, then makes
// the window.
void WindowFontTest::buildWindow()
{
    QFETCH(QFont, desktop);
    QApplication::setFont(desktop);
    window = std::make_unique<Form1>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void WindowFontTest::expectWhole(const QWidget* control, const QString& text)
{
    const int advance = control->fontMetrics().horizontalAdvance(text);
    int room = 0;
    if (const auto* label = qobject_cast<const QLabel*>(control))
        room = label->contentsRect().width();
    else if (const auto* button = qobject_cast<const QPushButton*>(control))
        room = textRoom(button);
    else if (const auto* combo = qobject_cast<const QComboBox*>(control))
        room = textRoom(combo->lineEdit()); // the edit field stops at the arrow
    else if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        room = textRoom(edit);
    QVERIFY2(advance <= room,
        qPrintable(
            QStringLiteral("%1: \"%2\" needs %3 px, has %4").arg(control->objectName(), text).arg(advance).arg(room)));
}

void WindowFontTest::everyControlUsesTheWindowFontAtNinePoints()
{
    buildWindow();
    const QFont expected = quillon::ui::windowFont();
    QCOMPARE(expected.pointSize(), 9);
    // fonts-noto-cjk is installed wherever the tests run: the fallback to the
    // desktop's family must not hide a missing face.
    QCOMPARE(QFontInfo(expected).family(), QStringLiteral("Noto Sans Mono CJK SC"));
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    QVERIFY(all.size() > 41); // the combo box's own edit field and list too
    for (const QWidget* control : all) {
        QCOMPARE(control->font().pointSize(), 9);
        QCOMPARE(control->font().family(), expected.family());
    }
}

void WindowFontTest::captionsAndInitialTextsAreWhole()
{
    buildWindow();
    for (const QLabel* label : window->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        expectWhole(label, label->text());
    for (const QPushButton* button : window->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly))
        expectWhole(button, button->text());
    for (const QLineEdit* box : window->findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly))
        expectWhole(box, box->text());
    const auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    expectWhole(combo, combo->currentText());
}

void WindowFontTest::everyBeltTypeIsWholeInTheList()
{
    buildWindow();
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    QCOMPARE(combo->count(), 22);
    for (int i = 0; i < combo->count(); ++i) {
        combo->setCurrentIndex(i);
        expectWhole(combo, combo->currentText());
    }
}

void WindowFontTest::everyResultIsWhole()
{
    buildWindow();
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* calculate = window->findChild<QPushButton*>(QStringLiteral("Command1"));
    for (std::string_view beltType : quillon::kBeltTypes) {
        for (const char* teeth : {"10", "40", "200"}) {
            combo->setEditText(QString::fromUtf8(beltType.data(), static_cast<qsizetype>(beltType.size())));
            window->textBox(u"Text1")->setText(QString::fromLatin1(teeth));
            QTest::mouseClick(calculate, Qt::LeftButton);
            for (int box = 2; box <= 21; ++box) {
                const QLineEdit* edit = window->textBox(QStringLiteral("Text%1").arg(box));
                expectWhole(edit, edit->text());
                if (QTest::currentTestFailed()) {
                    qWarning("after %s at %s teeth", beltType.data(), teeth);
                    return;
                }
            }
        }
    }
}

void WindowFontTest::noControlCoversAnother()
{
    buildWindow();
    const QList<QWidget*> controls = window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(controls.size(), 41);
    for (const QWidget* a : controls) {
        for (const QWidget* b : controls) {
            if (a >= b || !a->geometry().intersects(b->geometry()))
                continue;
            const bool drawn = kDrawnOverlaps.contains({a->objectName(), b->objectName()})
                || kDrawnOverlaps.contains({b->objectName(), a->objectName()});
            QVERIFY2(drawn, qPrintable(a->objectName() + QStringLiteral(" covers ") + b->objectName()));
        }
    }
}

void WindowFontTest::warningsKeepTheDesktopFont()
{
    const QFont desktop(QStringLiteral("DejaVu Sans"), 11);
    QApplication::setFont(desktop);
    window = std::make_unique<Form1>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->textBox(u"Text1")->setText(QStringLiteral("1e400"));
    watchdog->expectMessageBox();
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_COMPARE(watchdog->expectedTexts.size(), 1);
    QCOMPARE(watchdog->fonts.front().family(), desktop.family());
    QCOMPARE(watchdog->fonts.front().pointSize(), 11);
}

QTEST_MAIN(WindowFontTest)
#include "window_font_test.moc"
