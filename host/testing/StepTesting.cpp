#include "host/testing/StepTesting.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>

namespace host::testing {

QStringList snapshotOf(StepWindow const& window) {
    QStringList shown;
    for (QLabel const* label : window.findChildren<QLabel*>())
        shown << label->text();
    for (QListWidget const* list : window.findChildren<QListWidget*>()) {
        for (int row = 0; row < list->count(); ++row)
            shown << list->item(row)->text() +
                         (list->item(row)->font().bold() ? QStringLiteral(" [bold]") : QString());
    }
    for (QTableWidget const* table : window.findChildren<QTableWidget*>()) {
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << table->item(row, column)->text();
            shown << cells.join(QLatin1Char('|'));
        }
    }
    return shown;
}

void pressKey(StepWindow& window, Qt::Key key) {
    // The window's keys are its shortcuts, which act in the active window only.
    if (QApplication::activeWindow() != &window)
        QApplication::setActiveWindow(&window);
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target && window.isAncestorOf(target) ? target : &window, key);
}

void runOwnNumbers(StepWindow& window, QString const& text) {
    auto* field = window.findChild<QLineEdit*>();
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

QString ownNumbersMessage(StepWindow const& window) {
    for (QLabel const* label : window.findChildren<QLabel*>()) {
        if (label->accessibleName() == QStringLiteral("入力についてのメッセージ"))
            return label->text();
    }
    return {};
}

std::vector<form::StepKind> kindsOf(form::Recording const& recording) {
    std::vector<form::StepKind> kinds;
    for (form::Step const& step : recording.steps)
        kinds.push_back(step.kind);
    return kinds;
}

void pressF2(QWidget& window) {
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_F2);
}

} // namespace host::testing
