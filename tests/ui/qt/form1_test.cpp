// The window as a user meets it: its controls, focus order, keys and the
// Calculate command.

#include "modal_watchdog.h"
#include "ui/qt/Form1.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using quillon::ui::Form1;

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsMatchTheDrawing_data();
    void controlsMatchTheDrawing();
    void windowHasTheDrawnClientSizeAndCaption();
    void clientAreaScalesWithTheScreen();
    void beltTypeListKeepsItsOrder();
    void typedBeltTypeStaysAsTyped();
    void focusStartsInTheBeltTypeAndTabFollowsTheDrawing();
    void everyBoxHasAnAccessibleName();

    void calculateWithTheInitialTextsGivesMxlWithFortyTeeth();
    void boxesNotSetByTheNextRowAreEmptied();
    void calculateOverwritesTypedResults();
    void enterAndEscapeDoNothing();
    void choosingABeltTypeCalculatesNothing();
    void resizingMovesNoControl();
    void toothCountOutOfRangeWarnsAndChangesNothing();
    void numbersFollowTheUsersLocale();
    void fullWidthDigitsReadAsTheirAsciiForms();

private:
    QString box(const char* name) const { return window->textBox(QString::fromLatin1(name))->text(); }
    QStringList allBoxes() const;
    void clickCalculate()
    {
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }

    std::unique_ptr<Form1> window;
    std::unique_ptr<quillon::ui::test::ModalWatchdog> watchdog;
};

void Form1Test::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    watchdog = std::make_unique<quillon::ui::test::ModalWatchdog>();
    window = std::make_unique<Form1>();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void Form1Test::cleanup()
{
    window.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(watchdog->unexpectedTexts.isEmpty(), qPrintable(watchdog->unexpectedTexts.join(u'\n')));
    watchdog.reset();
}

QStringList Form1Test::allBoxes() const
{
    QStringList texts;
    for (int i = 1; i <= 21; ++i)
        texts << window->textBox(QStringLiteral("Text%1").arg(i))->text();
    return texts;
}

void Form1Test::controlsMatchTheDrawing_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("pixels");

    // Pixels at 96 dots per inch: left, top, width, height.
    const struct {
        const char* name;
        const char* className;
        const char* text;
        QRect pixels;
    } rows[] = {
        {"Label1", "QLabel", "带轮规格", {16, 24, 57, 17}},
        {"Combo1", "QComboBox", "MXL", {72, 24, 89, 20}},
        {"Label2", "QLabel", "齿数 Z", {16, 64, 49, 17}},
        {"Text1", "QLineEdit", "40", {72, 56, 89, 25}},
        {"Label3", "QLabel", "节距 Pb", {176, 24, 49, 17}},
        {"Text2", "QLineEdit", "Text2", {232, 16, 81, 18}},
        {"Label4", "QLabel", "外径 da", {176, 72, 49, 17}},
        {"Text3", "QLineEdit", "Text3", {232, 64, 81, 18}},
        {"Label5", "QLabel", "底径 df", {176, 96, 49, 17}},
        {"Text4", "QLineEdit", "Text4", {232, 88, 81, 18}},
        {"Label6", "QLabel", "槽底槽宽 bw", {152, 120, 73, 17}},
        {"Text5", "QLineEdit", "Text5", {232, 112, 41, 18}},
        {"Label7", "QLabel", "槽顶槽宽 br", {152, 144, 73, 17}},
        {"Text6", "QLineEdit", "Text6", {232, 136, 41, 18}},
        {"Label8", "QLabel", "全齿深 hg", {168, 168, 57, 17}},
        {"Text7", "QLineEdit", "Text7", {232, 160, 41, 18}},
        {"Label9", "QLabel", "槽半角 Y度", {160, 192, 65, 17}},
        {"Text8", "QLineEdit", "Text8", {232, 184, 41, 18}},
        {"Label10", "QLabel", "齿顶 Rt", {168, 216, 57, 17}},
        {"Text9", "QLineEdit", "Text9", {232, 208, 41, 18}},
        {"Label11", "QLabel", "齿底 Rb", {168, 240, 49, 17}},
        {"Text10", "QLineEdit", "Text10", {232, 232, 41, 18}},
        {"Label12", "QLabel", "2倍节顶距 2a", {152, 264, 73, 17}},
        {"Text11", "QLineEdit", "Text11", {232, 256, 81, 18}},
        {"Label13", "QLabel", " 齿侧园弧半径 RA", {128, 288, 105, 17}},
        {"Text12", "QLineEdit", "Text12", {232, 280, 81, 18}},
        {"Command1", "QPushButton", "计算", {40, 88, 81, 33}},
        {"Command2", "QPushButton", "打印", {40, 128, 81, 33}},
        {"Command3", "QPushButton", "退出", {40, 168, 81, 33}},
        {"Label14", "QLabel", "节径 dj", {176, 48, 49, 17}},
        {"Text13", "QLineEdit", "Text13", {232, 40, 81, 18}},
        {"Text14", "QLineEdit", "Text14", {272, 112, 41, 18}},
        {"Text15", "QLineEdit", "Text15", {272, 160, 41, 18}},
        {"Text16", "QLineEdit", "Text16", {272, 184, 41, 18}},
        {"Text17", "QLineEdit", "Text17", {272, 208, 41, 18}},
        {"Text18", "QLineEdit", "Text18", {272, 232, 41, 18}},
        {"Label15", "QLabel", "齿数分段", {48, 216, 65, 17}},
        {"Text19", "QLineEdit", "Text19", {24, 256, 97, 18}},
        {"Text20", "QLineEdit", "Text20", {24, 280, 97, 18}},
        {"Text21", "QLineEdit", "Text21", {272, 136, 41, 18}},
        {"Label16", "QLabel", "宜以段内Zmin设计滚刀", {16, 232, 121, 17}},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << QString::fromLatin1(row.className) << QString::fromUtf8(row.text) << row.pixels;
}

void Form1Test::controlsMatchTheDrawing()
{
    QFETCH(QString, className);
    QFETCH(QString, text);
    QFETCH(QRect, pixels);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QList<QWidget*> matches = window->findChildren<QWidget*>(name, Qt::FindDirectChildrenOnly);
    QCOMPARE(matches.size(), 1);
    QWidget* control = matches.front();
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    QCOMPARE(control->geometry(), pixels);

    QString shown;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        shown = label->text();
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        shown = combo->currentText();
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        shown = edit->text();
        QVERIFY(!edit->isReadOnly());
        QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        shown = button->text();
        QVERIFY(!button->isDefault() && !button->autoDefault());
    }
    QCOMPARE(shown, text);
}

void Form1Test::windowHasTheDrawnClientSizeAndCaption()
{
    QCOMPARE(window->size(), QSize(346, 339));
    QCOMPARE(window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 41);
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("Quillon ")));
    QVERIFY(window->windowTitle().endsWith(QStringLiteral("@example.org")));
}

// Run a second time by ctest with QT_SCALE_FACTOR=1.5: the window and all it
// shows grow with the screen's scale.
void Form1Test::clientAreaScalesWithTheScreen()
{
    const qreal scale = window->devicePixelRatio();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QCOMPARE(scale, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    const QPixmap image = window->grab();
    QCOMPARE(image.width(), qRound(346 * scale));
    QVERIFY(qAbs(image.height() - 339 * scale) <= 1);
    QWidget* text12 = window->textBox(u"Text12");
    QCOMPARE(text12->grab().width(), qRound(81 * scale));
}

void Form1Test::beltTypeListKeepsItsOrder()
{
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items,
        QStringList({QStringLiteral("MXL"), QStringLiteral("XXL"), QStringLiteral("XL"), QStringLiteral("L"),
            QStringLiteral("H"), QStringLiteral("XH"), QStringLiteral("XXH"), QStringLiteral("T2.5"),
            QStringLiteral("T5"), QStringLiteral("T10"), QStringLiteral("T20"), QStringLiteral("HTD3M"),
            QStringLiteral("HTD5M"), QStringLiteral("HTD8M"), QStringLiteral("HTD14M"), QStringLiteral("HTD20M"),
            QStringLiteral("STPD S2M"), QStringLiteral("STPD S3M"), QStringLiteral("STPD S4.5M"),
            QStringLiteral("STPD S5M"), QStringLiteral("STPD S8M"), QStringLiteral("STPD S14M")}));
    QVERIFY(combo->isEditable());
}

void Form1Test::typedBeltTypeStaysAsTyped()
{
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, QStringLiteral("mxl"));
    QTest::keyClick(combo, Qt::Key_Tab); // leaving the box must not correct it
    QCOMPARE(combo->currentText(), QStringLiteral("mxl"));
    QCOMPARE(combo->count(), 22);

    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, QStringLiteral("xx"));
    QCOMPARE(combo->currentText(), QStringLiteral("xx")); // no completion to "XXL"
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(combo->currentText(), QStringLiteral("xx"));
    QCOMPARE(combo->count(), 22);
}

void Form1Test::focusStartsInTheBeltTypeAndTabFollowsTheDrawing()
{
    QCOMPARE(QApplication::focusWidget(), window->findChild<QComboBox*>(QStringLiteral("Combo1")));

    QStringList visited;
    for (int i = 0; i < 25; ++i) {
        QWidget* focus = QApplication::focusWidget();
        // The combo box hands focus to its own line edit.
        while (focus && focus->parentWidget() != window.get())
            focus = focus->parentWidget();
        visited << (focus ? focus->objectName() : QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited.join(u' '),
        QStringLiteral("Combo1 Text1 Text2 Text3 Text4 Text5 Text6 Text7 Text8 Text9 Text10 Text11 Text12 "
                       "Command1 Command2 Command3 Text13 Text14 Text15 Text16 Text17 Text18 Text19 "
                       "Text20 Text21"));
    QCOMPARE(QApplication::focusWidget()->parentWidget() == window.get()
            ? QApplication::focusWidget()->objectName()
            : QApplication::focusWidget()->parentWidget()->objectName(),
        QStringLiteral("Combo1")); // and round again
}

void Form1Test::everyBoxHasAnAccessibleName()
{
    QCOMPARE(window->textBox(u"Text2")->accessibleName(), QStringLiteral("节距 Pb"));
    QCOMPARE(window->textBox(u"Text14")->accessibleName(), QStringLiteral("槽底槽宽 bw 公差"));
    QCOMPARE(window->textBox(u"Text19")->accessibleName(), QStringLiteral("齿数分段 1"));
    QCOMPARE(window->textBox(u"Text12")->accessibleName(), QStringLiteral("齿侧园弧半径 RA"));
    QStringList names;
    for (int i = 1; i <= 21; ++i) {
        const QString name = window->textBox(QStringLiteral("Text%1").arg(i))->accessibleName();
        QVERIFY2(!name.isEmpty(), qPrintable(QStringLiteral("Text%1").arg(i)));
        names << name;
    }
    names.removeDuplicates();
    QCOMPARE(names.size(), 21);
    QVERIFY(!window->findChild<QComboBox*>(QStringLiteral("Combo1"))->accessibleName().isEmpty());
}

void Form1Test::calculateWithTheInitialTextsGivesMxlWithFortyTeeth()
{
    clickCalculate();
    QCOMPARE(allBoxes(),
        QStringList({QStringLiteral("40"), QStringLiteral("2.032"), QStringLiteral("25.364"), QStringLiteral("23.984"),
            QStringLiteral("0.84"), QString(), QStringLiteral("0.69"), QStringLiteral("20"), QStringLiteral("0.13"),
            QStringLiteral("0.35"), QStringLiteral("0.508"), QString(), QStringLiteral("25.872"),
            QStringLiteral("±0.05"), QStringLiteral("-0.05"), QStringLiteral("±1.5"), QStringLiteral("+0.05"),
            QStringLiteral("max"), QStringLiteral("Z10-23  Z24-R"), QString(), QString()}));
    QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(), QStringLiteral("MXL"));
}

void Form1Test::boxesNotSetByTheNextRowAreEmptied()
{
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    combo->setCurrentText(QStringLiteral("T5"));
    clickCalculate();
    QCOMPARE(box("Text6"), QStringLiteral("3.32"));
    QCOMPARE(box("Text20"), QStringLiteral("Z21-R"));
    QCOMPARE(box("Text21"), QStringLiteral("+0.05"));
    QCOMPARE(box("Text5"), QString());

    combo->setCurrentText(QStringLiteral("MXL"));
    clickCalculate();
    QCOMPARE(box("Text6"), QString());
    QCOMPARE(box("Text20"), QString());
    QCOMPARE(box("Text21"), QString());
    QCOMPARE(box("Text5"), QStringLiteral("0.84"));
}

void Form1Test::calculateOverwritesTypedResults()
{
    QLineEdit* pitch = window->textBox(u"Text2");
    pitch->setFocus();
    pitch->selectAll();
    QTest::keyClicks(pitch, QStringLiteral("typed here"));
    QCOMPARE(pitch->text(), QStringLiteral("typed here"));
    clickCalculate();
    QCOMPARE(pitch->text(), QStringLiteral("2.032"));
}

void Form1Test::enterAndEscapeDoNothing()
{
    const QStringList before = allBoxes();
    QLineEdit* toothCount = window->textBox(u"Text1");
    toothCount->setFocus();
    QTest::keyClick(toothCount, Qt::Key_Return);
    QTest::keyClick(toothCount, Qt::Key_Enter);
    QTest::keyClick(toothCount, Qt::Key_Escape);
    QCOMPARE(allBoxes(), before);
    QVERIFY(window->isVisible());
}

void Form1Test::choosingABeltTypeCalculatesNothing()
{
    const QStringList before = allBoxes();
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentText(), QStringLiteral("XXL"));
    QCOMPARE(allBoxes(), before);
}

void Form1Test::resizingMovesNoControl()
{
    QHash<QString, QRect> before;
    for (QWidget* child : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        before.insert(child->objectName(), child->geometry());
    window->resize(700, 600);
    QTRY_COMPARE(window->size(), QSize(700, 600));
    window->resize(200, 150);
    QTRY_COMPARE(window->size(), QSize(200, 150));
    for (QWidget* child : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        QCOMPARE(child->geometry(), before.value(child->objectName()));
}

void Form1Test::toothCountOutOfRangeWarnsAndChangesNothing()
{
    for (const QString& text : {QStringLiteral("1e400"), QStringLiteral("1e308"), QStringLiteral("&H123456789")}) {
        window->textBox(u"Text1")->setText(text);
        const QStringList before = allBoxes();
        watchdog->expectMessageBox();
        clickCalculate();
        QCOMPARE(watchdog->expectedTexts.size(), 1);
        QVERIFY(watchdog->expectedTexts.takeFirst().contains(QStringLiteral("齿数")));
        QCOMPARE(allBoxes(), before);
    }
    window->textBox(u"Text1")->setText(QStringLiteral("40"));
    clickCalculate();
    QCOMPARE(box("Text13"), QStringLiteral("25.872")); // the window goes on working
}

void Form1Test::numbersFollowTheUsersLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    window->textBox(u"Text1")->setText(QStringLiteral("40"));
    clickCalculate();
    QCOMPARE(box("Text13"), QStringLiteral("25,872"));
    QCOMPARE(box("Text2"), QStringLiteral("2,032"));
    QCOMPARE(box("Text5"), QStringLiteral("0,84"));
    QCOMPARE(box("Text14"), QStringLiteral("±0.05"));
    window->textBox(u"Text1")->setText(QStringLiteral("40,5")); // the comma ends the tooth count in every locale
    clickCalculate();
    QCOMPARE(box("Text13"), QStringLiteral("25,872"));
}

void Form1Test::fullWidthDigitsReadAsTheirAsciiForms()
{
    // What a Chinese input method types in full-width mode.
    for (const char* typed : {"４０", "　４０", "&Ｈ２８"}) {
        window->textBox(u"Text1")->setText(QString::fromUtf8(typed));
        clickCalculate();
        QCOMPARE(box("Text13"), QStringLiteral("25.872"));
        QCOMPARE(window->textBox(u"Text1")->text(), QString::fromUtf8(typed)); // the box keeps what was typed
    }
    window->textBox(u"Text1")->setText(QString::fromUtf8("４.５"));
    clickCalculate();
    QCOMPARE(box("Text13"), QStringLiteral("2.911"));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
