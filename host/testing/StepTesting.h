#pragma once

#include "host/ComparisonWindow.h"
#include "host/StepWindow.h"
#include "host/testing/FormHarness.h"

#include <QStringList>

#include <ostream>
#include <string>

// Lists of texts as gtest shows them when a check fails: one text a line.
inline void PrintTo(QStringList const& texts, std::ostream* out) {
    for (QString const& text : texts)
        *out << "\n    " << text.toStdString();
}

class QAbstractButton;
class QLabel;

namespace host::testing {

// Everything the step window shows of its current step, as text: title, sentence, counters, calls,
// variables, error, the marked procedure line and each row of the collection with its font. Two
// equal snapshots look alike.
QStringList snapshotOf(StepWindow const& window);

// A key pressed in a window (the step window, two runs side by side), as a learner presses it, where
// the focus is.
void pressKey(QWidget& window, QKeyCombination keys);

// The label of window whose accessible name (what it says under its caption) starts with prefix, or
// null.
QLabel* labelSaying(QWidget const& window, QString const& prefix);
// What the visible label saying prefix says after it, as a screen reader is told, or "(none)".
std::string said(QWidget const& window, QString const& prefix);

// Presses Alt+2 in the step window and waits for the window of two runs side by side it opens; null
// when none opened.
ComparisonWindow* openComparison(StepWindow& window);

// Checks that a window other than the step window lies within its screen's available area with every
// visible label as big as its text, then saves it as NAME.png.
void expectWholeOnScreen(QWidget& window, QString const& name);

// Types text into the step window's field of own numbers and presses Enter.
void runOwnNumbers(StepWindow& window, QString const& text);

// The message beside the field of own numbers.
QString ownNumbersMessage(StepWindow const& window);

// The step window's button with this accessible name, or null.
QAbstractButton* buttonNamed(StepWindow const& window, QString const& name);

// Presses F2 in the window, made the active one as a learner's window is.
void pressF2(QWidget& window);

// Checks that the step window lies within its screen's available area, with nothing cut: no scroll
// bar on the whole window where the screen has room for its unscrolled size, every visible widget
// within the window's visible area or inside a scroll area, every label as big as its text, and the
// rows the step is about in view of the collection. Then saves it as NAME.png.
void expectWithinTheScreen(StepWindow& window, QString const& name);

// Opens FormType's step window in each Japanese face on the click of button, goes to step and checks
// it with expectWithinTheScreen, saving it as NAME-FACE.png.
template <class FormType>
void expectStepWindowWithinTheScreen(QString const& name, int button, std::size_t step);

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

// A form's click of button, its step window opened by F2, and from there two runs side by side by
// Alt+2; null members where a window did not open.
template <class FormType>
struct SideBySide {
    explicit SideBySide(int button) {
        steps.harness.click(button);
        window = steps.open();
        both = window ? openComparison(*window) : nullptr;
    }

    StepHarness<FormType> steps;
    StepWindow* window = nullptr;
    ComparisonWindow* both = nullptr;
};

template <class FormType>
void expectStepWindowWithinTheScreen(QString const& name, int button, std::size_t step) {
    inEveryJapaneseFace([&](QString const& face) {
        StepHarness<FormType> steps;
        steps.harness.click(button);
        StepWindow* window = steps.open();
        ASSERT_NE(window, nullptr);
        window->goToStep(step);
        expectWithinTheScreen(*window, name + QLatin1Char('-') + QString(face).remove(QLatin1Char(' ')));
    });
}

} // namespace host::testing
