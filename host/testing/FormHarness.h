#pragma once

#include "host/FormWindow.h"
#include "host/UiFont.h"
#include "runtime/Error.h"
#include "runtime/Object.h"
#include "runtime/testing/RuntimeTesting.h"

#include <QApplication>
#include <QFont>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host::testing {

// The lines of a list widget, top to bottom.
QStringList linesOf(QListWidget const& list);

// A real mouse click on a widget, through Qt's event system.
void clickWidget(QPushButton& button);

// Saves what the widget draws to a PNG file, once laid out where a change asked for it; false when
// nothing could be written.
bool saveScreenshot(QWidget& widget, QString const& path);

// The buttons of a window whose caption, as drawn, does not fit inside the area that the style
// gives a button's contents; each with its caption and sizes.
std::vector<std::string> buttonsWhoseCaptionDoesNotFit(FormWindow const& window);

// Checks that every caption fits at the default font and with the window's font raised through a
// style sheet to each size up to 16 points, then restores the default.
void expectCaptionsFitUpTo16Points(FormWindow& window);

// Checks that each list box of a window shows all four lines of its frame, at whatever device
// pixel ratio the test runs.
void expectListFramesWhole(FormWindow const& window);

// Checks that every button and list of a window has an accessible name and description, and that no
// two share a name.
void expectEveryControlNamedAndDescribed(FormWindow const& window);

// What a window shows in the face it is drawn in: every list box shows all its lines whole, with no
// scroll bar, and every caption is drawn in the window's face at the window's size.
void expectWholeListsAndEvenCaptions(FormWindow& window);

// Runs body once in each face of kJapaneseUiFaces, made the application font at 9 points, then
// restores the application font. A face that is not installed fails the test, and nothing runs.
void inEveryJapaneseFace(std::function<void(QString const& face)> const& body);

// What is wrong with lines that text was broken into, by the rules a Japanese reader expects: the
// lines, joined, give the text again (less the spaces at the breaks); no line starts with hiragana
// (okurigana, a particle), a small kana, a prolonged sound mark, closing punctuation, a middle dot
// or an ellipsis; none starts inside a katakana word or a word of Latin letters and digits; none
// ends with an opening bracket. With betweenPhrases, each line also ends a phrase: with hiragana,
// closing punctuation, before a space or before an opening bracket. Empty when nothing is wrong.
std::vector<std::string> lineBreakFaults(QString const& text, QStringList const& lines, bool betweenPhrases);

// All three checks above.
inline void expectReadableAndAccessible(FormWindow& window) {
    expectCaptionsFitUpTo16Points(window);
    expectListFramesWhole(window);
    expectEveryControlNamedAndDescribed(window);
}

// Resident memory of this process in KiB, or 0 where it cannot be read.
long residentKiB();

// What a long run of clicks left behind.
struct EnduranceRun {
    int clicks = 0;
    std::size_t liveBefore = 0;
    std::size_t liveAfter = 0;
    long residentBefore = 0;
    long residentAfter = 0;
    int fewestLines = 0;
    int mostLines = 0;
};

// Reports the figures of a run and checks that no object was left, that the list always held
// expectedLines lines and, outside sanitizer builds (whose allocators hold on to freed memory),
// that resident memory stayed flat.
void expectEndurance(EnduranceRun const& run, int expectedLines);

// A form shown in a real window, with the error reporter replaced by one that records.
template <class FormType>
class FormHarness {
public:
    template <class... Args>
    explicit FormHarness(Args&&... args) : form(std::forward<Args>(args)...), window(form) {
        // Room for the errors of a click, so that recording one needs no memory.
        errors.reserve(8);
        window.setErrorReporter([this](runtime::RuntimeError const& error) { errors.push_back(error); });
        window.show();
    }

    void click(int index) { clickWidget(*window.commandButton(index)); }

    // Clicks a button whose click must fail: exactly one error of the given kind is reported, and
    // every object the click made is released.
    void clickExpectingError(int index, runtime::ErrorKind kind) {
        auto const live = runtime::Object::liveCount();
        errors.clear();
        click(index);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors.front().kind(), kind) << errors.front().what();
        EXPECT_EQ(runtime::Object::liveCount(), live);
        errors.clear();
    }
    QStringList lines(std::string_view listName) const { return linesOf(*window.listWidget(listName)); }

    // Clicks every button in turn, clicks times, watching the line count of one list.
    EnduranceRun clickRepeatedly(int clicks, std::string_view listName) {
        EnduranceRun run;
        run.clicks = clicks;
        run.liveBefore = runtime::Object::liveCount();
        run.residentBefore = residentKiB();
        run.fewestLines = std::numeric_limits<int>::max();
        for (int i = 0; i < clicks; ++i) {
            click(i % window.commandButtonCount());
            int const count = window.listWidget(listName)->count();
            run.fewestLines = std::min(run.fewestLines, count);
            run.mostLines = std::max(run.mostLines, count);
        }
        run.liveAfter = runtime::Object::liveCount();
        run.residentAfter = residentKiB();
        return run;
    }

    FormType form;
    FormWindow window;
    std::vector<runtime::RuntimeError> errors;
};

// A form shown in a real window with its clicks traced by the form's Trace, as the programs' --trace
// option does.
template <class FormType>
class TracedHarness {
public:
    TracedHarness() { harness.window.setCallTrace(&trace); }

    // The trace lines that one click writes.
    std::vector<std::string> click(int index) {
        out.str({});
        harness.click(index);
        return runtime::testing::linesOfText(out.str());
    }

    std::ostringstream out;
    typename FormType::Trace trace{out};
    FormHarness<FormType> harness;
};

// Shows the form's window in each Japanese face, made the application font before the window is
// shown, presses a button and checks what the window shows; then sets each other face on the shown
// window and checks again. Saves each window as NAME-FACE.png.
template <class FormType>
void expectWholeInEveryFace(std::string const& name, int button) {
    inEveryJapaneseFace([&](QString const& face) {
        FormHarness<FormType> harness;
        harness.click(button);
        expectWholeListsAndEvenCaptions(harness.window);
        saveScreenshot(harness.window,
                       QString::fromStdString(name + "-") + QString(face).remove(u' ') + ".png");
        for (QString const& other : kJapaneseUiFaces) {
            SCOPED_TRACE(other.toStdString() + " set on the shown window");
            harness.window.setFont(QFont(other, 9));
            expectWholeListsAndEvenCaptions(harness.window);
        }
    });
}

} // namespace host::testing
