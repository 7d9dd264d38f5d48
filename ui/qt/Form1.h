// The one window of Quillon: belt type and tooth count in, twenty result
// boxes out, and the buttons Calculate, Print and Exit.
#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPrinter;

namespace quillon::ui {

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // The text box with the given object name ("Text1" ... "Text21").
    QLineEdit* textBox(QStringView name) const;

public slots:
    // Command1: runs the calculation on the texts of Combo1 and Text1 and
    // writes the twenty results into Text2 ... Text21. A tooth count beyond
    // what can be calculated shows a warning and changes nothing.
    void calculate();
    // Command2: prints the window on the default printer.
    void print();
    // Command3: ends the program.
    void exit();

public:
    // Prints the window on the given printer, at its true size at the top left
    // of the printable area. Returns false when the printer could not be
    // started or reported an error. print() goes through here.
    bool printOn(QPrinter& printer);

private:
    QComboBox* beltTypeBox_ = nullptr;
    QLineEdit* toothCountBox_ = nullptr;
};

} // namespace quillon::ui
