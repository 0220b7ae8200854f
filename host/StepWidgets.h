#pragma once

#include "form/Steps.h"
#include "host/StepTexts.h"
#include "host/WholeFrame.h"

#include <QString>
#include <QTableView>

#include <functional>
#include <initializer_list>

class QLabel;
class QPushButton;
class QScrollArea;
class QWidget;

namespace host {

class StepTableModel;

// The pieces that the step window and the window of two runs side by side both build on: their
// texts, their labelled controls, the labels that tell screen readers of each change, and the view of
// a recording's collection.

// A text of the texts table, and a pattern of it with %1, %2, ... filled in, in one pass: a fill is
// never read for markers itself.
QString text(steptext::Text text);
QString text(steptext::Text pattern, std::initializer_list<QString> fills);

// Names a control for screen readers and says what it does.
void describe(QWidget& widget, QString const& name, QString const& description);

// How wide a button must be to show caption on one line, a character's width clear of each side.
int buttonWidthFor(QWidget const& button, QString const& caption);

// A command button as narrow as its caption, named and described, its description its tooltip too.
QPushButton* makeButton(QString const& caption, QString const& name, QString const& description,
                        QWidget* parent);

// A label that shows changing content: screen readers read what it shows under its caption, and are
// told of each change (setting the accessible name sends the change event). An empty label has no
// name: it shows nothing. A rich text is spoken as its plain text unless spoken is given.
void showIn(QLabel& label, QString const& caption, QString const& shown, QString spoken = {});

// A label that shows changing content in a column: wrapped to the column's width, never widening it.
// A text that may run to several lines makes it as tall as its lines there (tall), measured anew with
// each new text; one of a line or two, such as a step's counters, is left to the label's own guess,
// which costs nothing at each step.
enum class Lines { Few, Many };
QLabel* columnLabel(QWidget* parent, Qt::TextFormat format, QString const& description, Lines lines = Lines::Few);

// Shows text in a label made by columnLabel, as tall as its lines, without a name of its own.
void setWrappedText(QLabel& label, QString const& text);

// The label beside a window's fields that says why an input cannot run (empty when it can), in red,
// told to screen readers as the message it is.
QLabel* messageLabel(QWidget* parent);

// Makes window's one page, in area, which fills the window and scrolls only on a screen too small for
// the page.
QWidget* scrolledPage(QWidget& window, QScrollArea& area);
// The least size at which area's page shows whole, without a scroll bar.
QSize unscrolledSize(QScrollArea const& area);

// Tells screen readers at once of what widget now says (its accessible name), as an alert.
void announce(QWidget& widget);

// A step's counters in one line: 「パス 1 / 8　比較 5 / 36　交換 2」.
QString countersText(std::vector<form::Counter> const& counters);

// The collection of a recording at one step, drawn from a StepTableModel of its own: one row per
// element, the marked rows kept in view whatever the view's size. Its columns are fitted once a
// recording, so that they stay put from step to step. It takes no focus and selects nothing, except
// while a learner chooses a row (choosingRow): then the arrows move a selection and Enter reports the
// row chosen.
class CollectionView final : public WholeFrame<QTableView> {
public:
    explicit CollectionView(QWidget* parent);

    // Shows recording (null: none), reset to no step; it must outlive its use here.
    void setRecording(form::Recording const* recording);
    // Shows step (null: none), the rows it marks in view.
    void setStep(form::Step const* step);

    // While on, the view takes the focus and a row can be chosen: rowChosen is told of the row on
    // Enter. Off again, it takes no focus and shows no selection.
    void setChoosingRow(bool choosing);
    bool choosingRow() const { return m_choosing; }
    std::function<void(int row)> rowChosen;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The viewport's size settles after the view's own (a header, a scroll bar): the rows are brought
    // into view again then.
    void updateGeometries() override;

private:
    void fitColumns();
    void showMarkedRows();

    StepTableModel* m_model;
    form::Step const* m_step = nullptr;
    bool m_choosing = false;
};

} // namespace host
