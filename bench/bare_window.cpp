// The yardstick for Quillon's start-up: a bare Qt window with the same 41
// controls at the same places and the same 9-point face, and nothing else —
// no calculation, no printing, no icon. bench/start_time compares the two.

#include "ui/controls.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

using namespace quillon::ui;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    QFont font(QStringLiteral("Noto Sans Mono CJK SC"));
    font.setPointSize(9);
    window.setFont(font);
    window.setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    window.setWindowTitle(QStringLiteral("Bare window"));
    for (const ControlSpec& row : kControls) {
        const QString text = QString::fromUtf8(row.text);
        QWidget* control = nullptr;
        switch (row.kind) {
        case Label:
            control = new QLabel(text, &window);
            break;
        case ComboBox: {
            auto* combo = new QComboBox(&window);
            combo->setEditable(true);
            for (std::string_view beltType : quillon::kBeltTypes)
                combo->addItem(QString::fromUtf8(beltType.data(), static_cast<qsizetype>(beltType.size())));
            control = combo;
            break;
        }
        case TextBox:
            control = new QLineEdit(text, &window);
            break;
        case PushButton:
            control = new QPushButton(text, &window);
            break;
        }
        control->setGeometry(
            twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width), twipsToPixels(row.height));
    }
    window.show();
    return QApplication::exec();
}
