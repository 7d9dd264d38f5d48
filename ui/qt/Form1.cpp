#include "ui/qt/Form1.h"

#include "calc/full_width.h"
#include "calc/run.h"
#include "ui/controls.h"
#include "ui/qt/print_destination.h"
#include "ui/qt/window_font.h"
#include "ui/texts.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <string_view>

namespace quillon::ui {
namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixelRect(const ControlSpec& row)
{
    return QRect(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width), twipsToPixels(row.height));
}

QWidget* createControl(const ControlSpec& row, QWidget* parent)
{
    const QString text = QString::fromUtf8(row.text);
    QWidget* control = nullptr;
    switch (row.kind) {
    case ControlKind::Label:
        control = new QLabel(text, parent);
        break;
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        for (std::string_view beltType : kBeltTypes)
            combo->addItem(fromUtf8(beltType));
        combo->setInsertPolicy(QComboBox::NoInsert);
        // No completer: what is typed stays exactly as typed, letter case
        // included, and the box never swaps it for a list entry.
        combo->setCompleter(nullptr);
        combo->setEditText(text);
        combo->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
        control = combo;
        break;
    }
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(parent);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setText(text);
        box->setCursorPosition(0);
        control = box;
        break;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        control = button;
        break;
    }
    }
    control->setObjectName(fromUtf8(row.name));
    control->setGeometry(pixelRect(row));
    if (*row.accessibleName)
        control->setAccessibleName(QString::fromUtf8(row.accessibleName));
    return control;
}

// A caption wider than its drawn box in the window's font may reach to the
// right as far as its text needs, but never over another control; every
// other position and size stays as drawn.
void widenCutCaptions(QWidget* window)
{
    const QList<QWidget*> controls = window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QLabel* label : window->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect box = label->geometry();
        const int needed = label->sizeHint().width();
        if (needed <= box.width())
            continue;
        int right = window->width(); // the first column that is not the label's to take
        for (const QWidget* other : controls) {
            const QRect rect = other->geometry();
            const bool sameLine = rect.top() <= box.bottom() && rect.bottom() >= box.top();
            if (other != label && sameLine && rect.left() > box.left())
                right = std::min(right, rect.left());
        }
        label->resize(std::max(box.width(), std::min(needed, right - box.left())), box.height());
    }
}

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    // Before the controls are made: every one of them takes it.
    setFont(windowFont());

    QWidget* previous = nullptr;
    for (const ControlSpec& row : kControls) {
        QWidget* control = createControl(row, this);
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
    widenCutCaptions(this);
    beltTypeBox_ = findChild<QComboBox*>(QStringLiteral("Combo1"));
    toothCountBox_ = textBox(u"Text1");

    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this, &Form1::calculate);
    connect(findChild<QPushButton*>(QStringLiteral("Command2")), &QPushButton::clicked, this, &Form1::print);
    connect(findChild<QPushButton*>(QStringLiteral("Command3")), &QPushButton::clicked, this, &Form1::exit);

    resize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    beltTypeBox_->setFocus();
}

QLineEdit* Form1::textBox(QStringView name) const
{
    return findChild<QLineEdit*>(name.toString(), Qt::FindDirectChildrenOnly);
}

void Form1::calculate()
{
    // A Chinese input method in full-width mode types "４０": read as "40".
    const std::string toothCount = foldFullWidth(toothCountBox_->text().toStdString());
    const std::string beltType = beltTypeBox_->currentText().toStdString();
    try {
        const RunResult result = runCalculation(beltType, toothCount, QLocale().decimalPoint().toStdString());
        for (const RunResult::Box& box : result.boxes()) {
            QLineEdit* target = textBox(fromUtf8(box.name));
            target->setText(QString::fromStdString(box.text));
            target->setCursorPosition(0);
        }
    } catch (const OutOfRange&) {
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8(kToothCountOutOfRange));
    }
}

void Form1::print()
{
    findChild<QPushButton*>(QStringLiteral("Command2"))->setFocus();
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8(kNoDefaultPrinter));
        return;
    }
    if (const QString refusal = whyDestinationRefusesJobs(defaultPrinter.printerName()); !refusal.isEmpty()) {
        QMessageBox::warning(
            this, windowTitle(), QString::fromUtf8(kPrinterRefuses).arg(defaultPrinter.printerName(), refusal));
        return;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    if (!printOn(printer))
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8(kPrintFailed).arg(defaultPrinter.printerName()));
}

bool Form1::printOn(QPrinter& printer)
{
    // Record the window's painting and replay it on the printer. Rendering
    // straight onto a printer would go through a bitmap; the recording keeps
    // lines and text as vector graphics, so the printout is sharp.
    QPicture image;
    {
        QPainter recorder(&image);
        render(&recorder, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // One device-independent pixel is 15 twips, 1/96 inch. Replaying scales
    // the recording from its own resolution to the printer's; correct for a
    // recording resolution other than 96 so that the window comes out at its
    // true size.
    // On paper whose printable area is smaller than the window, the whole
    // image is scaled down to fit, so that no box runs into the margin.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double trueWidth = width() * printer.resolution() / 96.0;
    const double trueHeight = height() * printer.resolution() / 96.0;
    const double fit = std::min({1.0, page.width() / trueWidth, page.height() / trueHeight});
    painter.scale(fit * image.logicalDpiX() / 96.0, fit * image.logicalDpiY() / 96.0);
    painter.drawPicture(0, 0, image);
    const bool ended = painter.end();
    return ended && printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}

void Form1::exit()
{
    QCoreApplication::exit(0);
}

} // namespace quillon::ui
