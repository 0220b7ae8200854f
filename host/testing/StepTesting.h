#pragma once

#include "host/StepWindow.h"
#include "host/testing/FormHarness.h"

#include <QStringList>

#include <cstdint>
#include <ostream>
#include <vector>

// Lists of texts as gtest shows them when a check fails: one text a line.
inline void PrintTo(QStringList const& texts, std::ostream* out) {
    for (QString const& text : texts)
        *out << "\n    " << text.toStdString();
}

namespace host::testing {

// Everything the step window shows of its current step, as text: title, sentence, counters, calls,
// error, the marked procedure line and each row of the collection. Two equal snapshots look alike.
QStringList snapshotOf(StepWindow const& window);

// A key pressed in the step window, as a learner presses it.
void pressKey(StepWindow& window, Qt::Key key);

// Types text into the step window's field of own numbers and presses Enter.
void runOwnNumbers(StepWindow& window, QString const& text);

// The message beside the field of own numbers.
QString ownNumbersMessage(StepWindow const& window);

// The step kinds of a recording's steps, unfolded.
std::vector<form::StepKind> kindsOf(form::Recording const& recording);

// Presses F2 in the window, made the active one as a learner's window is.
void pressF2(QWidget& window);

// A form in a real window with its lesson, whose step window opens with F2 as a learner opens it.
template <class FormType>
class StepHarness {
public:
    StepHarness() { harness.window.setLesson(&FormType::lesson()); }

    // Presses F2 in the main window; the step window it opened, or null.
    StepWindow* open() {
        pressF2(harness.window);
        return harness.window.stepWindow();
    }

    FormHarness<FormType> harness;
};


} // namespace host::testing
