#include "host/testing/StepTesting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

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
    for (QTableView const* table : window.findChildren<QTableView*>()) {
        QAbstractItemModel const& model = *table->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model.columnCount(); ++column) {
                QModelIndex const index = model.index(row, column);
                QFont const font = index.data(Qt::FontRole).value<QFont>();
                cells << index.data().toString() + (font.bold() ? QStringLiteral(" [bold]") : QString()) +
                             (font.strikeOut() ? QStringLiteral(" [struck]") : QString());
            }
            shown << cells.join(QLatin1Char('|'));
        }
    }
    return shown;
}

void pressKey(QWidget& window, QKeyCombination keys) {
    // The window's keys are its shortcuts, which act in the active window only.
    if (QApplication::activeWindow() != &window)
        QApplication::setActiveWindow(&window);
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target && window.isAncestorOf(target) ? target : &window, keys.key(),
                    keys.keyboardModifiers());
}

ComparisonWindow* openComparison(StepWindow& window) {
    pressKey(window, Qt::ALT | Qt::Key_2);
    // A button's key presses it a moment later, as a click would.
    if (!QTest::qWaitFor([&] { return window.comparisonWindow() && window.comparisonWindow()->isVisible(); }))
        return nullptr;
    return window.comparisonWindow();
}

QLabel* labelSaying(QWidget const& window, QString const& prefix) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->accessibleName().startsWith(prefix))
            return label;
    }
    return nullptr;
}

std::string said(QWidget const& window, QString const& prefix) {
    QLabel const* const label = labelSaying(window, prefix);
    return label && label->isVisibleTo(&window) ? label->accessibleName().mid(prefix.size()).toStdString()
                                                 : "(none)";
}

void runOwnNumbers(StepWindow& window, QString const& text) {
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("numbers"));
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

QString ownNumbersMessage(StepWindow const& window) {
    auto const* message = window.findChild<QLabel*>(QStringLiteral("message"));
    return message ? message->text() : QString();
}

QAbstractButton* buttonNamed(StepWindow const& window, QString const& name) {
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->accessibleName() == name)
            return button;
    }
    return nullptr;
}

void pressF2(QWidget& window) {
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_F2);
}

namespace {

// The scroll area whose scrolled content holds widget, other than the window's own page; null when
// it stands in none.
QAbstractScrollArea const* scrolledIn(QWidget const& widget, QWidget const& page) {
    for (QWidget const* parent = widget.parentWidget(); parent; parent = parent->parentWidget()) {
        auto const* area = qobject_cast<QAbstractScrollArea const*>(parent);
        if (area && area != &page && area->viewport()->isAncestorOf(&widget))
            return area;
    }
    return nullptr;
}

} // namespace

namespace {

// Every visible label of window is as big as what it shows: wrapped to its width, or on one line.
void expectLabelsWhole(QWidget const& window) {
    for (QLabel const* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty())
            continue;
        if (label->wordWrap())
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().toStdString();
        else
            EXPECT_LE(label->minimumSizeHint().width(), label->width()) << label->text().toStdString();
    }
}

} // namespace

void expectWholeOnScreen(QWidget& window, QString const& name) {
    QApplication::processEvents();
    QRect const available = window.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height() << " on "
        << available.width() << "x" << available.height();
    expectLabelsWhole(window);
    EXPECT_TRUE(saveScreenshot(window, name + QStringLiteral(".png")));
}

void expectWithinTheScreen(StepWindow& window, QString const& name) {
    QApplication::processEvents();
    QRect const available = window.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height() << " at " << window.x()
        << "," << window.y() << " on " << available.width() << "x" << available.height();
    auto const* page = window.findChild<QScrollArea*>(QStringLiteral("page"));
    ASSERT_NE(page, nullptr);
    QSize const unscrolled = window.unscrolledSize();
    bool const room = available.width() >= unscrolled.width() && available.height() >= unscrolled.height();
    if (room) {
        EXPECT_FALSE(page->horizontalScrollBar()->isVisible()) << "needs " << unscrolled.width();
        EXPECT_FALSE(page->verticalScrollBar()->isVisible()) << "needs " << unscrolled.height();
    }
    QRect const visible = window.rect();
    for (QWidget const* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || scrolledIn(*widget, *page))
            continue;
        char const* const kind = widget->metaObject()->className();
        QString const text = qobject_cast<QLabel const*>(widget) ? qobject_cast<QLabel const*>(widget)->text()
                                                                 : widget->accessibleName();
        if (room || !page->viewport()->isAncestorOf(widget)) {
            QRect const rect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
            EXPECT_TRUE(visible.contains(rect))
                << kind << " " << text.toStdString() << " at " << rect.x() << "," << rect.y() << " "
                << rect.width() << "x" << rect.height();
        }
    }
    expectLabelsWhole(window);
    // The collection: its element column readable, the rows the step is about in view.
    auto const* table = window.findChild<QTableView*>();
    ASSERT_NE(table, nullptr);
    QAbstractItemModel const& model = *table->model();
    int const elementColumn = model.columnCount() - 1;
    EXPECT_GE(table->columnWidth(elementColumn), 8 * table->fontMetrics().horizontalAdvance(QChar(u'字')));
    form::Step const* step = window.step();
    ASSERT_NE(step, nullptr);
    // All marked rows in view where they fit, else one in the strongest style there is (a row the step
    // is about).
    form::Recording const& recording = window.recording();
    auto const strength = [&](form::Row const& row) {
        form::MarkStyle const style = recording.marks.at(row.mark).style;
        return style == form::MarkStyle::Strong ? 2 : style == form::MarkStyle::Plain ? 0 : 1;
    };
    QRect const viewport = table->viewport()->rect();
    auto const inView = [&](std::size_t row) {
        return viewport.contains(table->visualRect(model.index(static_cast<int>(row), 0)));
    };
    int strongest = 0;
    int span = 0;
    std::size_t first = step->rows.size();
    for (std::size_t row = 0; row < step->rows.size(); ++row) {
        if (step->rows[row].mark != 0) {
            first = std::min(first, row);
            span = static_cast<int>(row - first + 1) * table->rowHeight(0);
            strongest = std::max(strongest, strength(step->rows[row]));
        }
    }
    bool const allFit = span <= viewport.height();
    bool strongInView = false;
    for (std::size_t row = 0; row < step->rows.size(); ++row) {
        if (allFit && step->rows[row].mark != 0) {
            EXPECT_TRUE(inView(row)) << "row " << row;
        }
        strongInView = strongInView || (strength(step->rows[row]) == strongest && inView(row));
    }
    EXPECT_TRUE(strongest == 0 || strongInView) << "none of the rows the step is about in view";
    EXPECT_TRUE(saveScreenshot(window, name + QStringLiteral(".png")));
}

} // namespace host::testing
