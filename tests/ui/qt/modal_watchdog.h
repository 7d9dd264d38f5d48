// Keeps window tests from hanging on a modal dialog. A message box the test
// expects is answered through expectMessageBox(); any other modal dialog is
// closed at once and fails the test.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

namespace quillon::ui::test {

class ModalWatchdog : public QObject {
public:
    ModalWatchdog()
    {
        connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::check);
        timer_.start(50);
    }

    // The next message box is expected: its text is kept and it is closed.
    void expectMessageBox() { expecting_ = true; }
    // The texts of the expected message boxes seen so far, and of the others.
    QStringList expectedTexts;
    QStringList unexpectedTexts;
    // The font of each modal dialog seen, in order.
    QList<QFont> fonts;

private:
    void check()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        const auto* box = qobject_cast<QMessageBox*>(modal);
        const QString text = box ? box->text() : modal->objectName();
        (expecting_ ? expectedTexts : unexpectedTexts).append(text);
        fonts.append(box ? box->findChild<QLabel*>()->font() : modal->font());
        expecting_ = false;
        modal->close();
    }

    QTimer timer_;
    bool expecting_ = false;
};

} // namespace quillon::ui::test
