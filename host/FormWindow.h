#pragma once

#include "form/CallTrace.h"
#include "form/Form.h"
#include "form/Steps.h"
#include "runtime/Error.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QListWidget;
class QMessageBox;
class QPushButton;

namespace host {

class StepWindow;

// Receives every run-time error that leaves the form's handler. When it throws (memory ran out while
// it built its report), the error is written to standard error instead.
using ErrorReporter = std::function<void(runtime::RuntimeError const& error)>;

// A run-time error as the windows report it, in one line of Japanese: its kind and its Japanese
// detail ("実行時エラー: オーバーフローしました。50000 × 50000 = 2500000000 は 32
// ビット整数に収まりません。").
QString errorText(runtime::RuntimeError const& error);

// A window built from a form's stored layout: one widget per control at its stored position and
// size (15 twips to a logical pixel), the stored tab order and accessible names, and clicks of the
// Command1 buttons (by mouse, Space or Enter) dispatched to the form's handler. Any exception that
// leaves the handler goes to the error reporter, by default a modal message box that shows the
// error's errorText() broken between phrases; the window stays usable. A window binds the form's
// list boxes to its own lists and unbinds only those. F1 shows its About window, where it has one,
// and Ctrl+Q closes it. Given a lesson, F2 (or a button in the About window) opens the step window,
// which shows the last click and follows each new one.
class FormWindow : public QWidget {
public:
    explicit FormWindow(form::Form& form, QWidget* parent = nullptr);
    ~FormWindow() override;

    void setErrorReporter(ErrorReporter reporter);
    // What F1 shows, in a window of its own: text, in paragraphs apart by an empty line, broken
    // between phrases.
    void setAbout(QString title, QString text);
    // Closes each click in the trace (null: no trace).
    void setCallTrace(form::CallTrace* trace) { m_trace = trace; }
    form::CallTrace* callTrace() const { return m_trace; }
    // What the step window shows (null: no step window).
    void setLesson(form::Lesson const* lesson) { m_lesson = lesson; }
    // Opens the step window, made once, on the last click.
    void showSteps();
    StepWindow* stepWindow() const { return m_steps; }

    QPushButton* commandButton(int index) const;
    int commandButtonCount() const { return static_cast<int>(m_buttons.size()); }
    QListWidget* listWidget(std::string_view name) const;

    static constexpr int kTwipsPerPixel = 15;
    static int toPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

private:
    QWidget* createControl(form::ControlLayout const& control);
    void dispatchClick(int index);
    void report(runtime::RuntimeError const& error) noexcept;
    void showErrorBox(runtime::RuntimeError const& error);
    void showAbout();
    void addStepsButton(QMessageBox& about);

    form::Form& m_form;
    std::vector<std::unique_ptr<form::ListBoxView>> m_views;
    std::vector<QPushButton*> m_buttons;
    ErrorReporter m_reporter;
    QString m_aboutTitle;
    QString m_aboutText;
    form::CallTrace* m_trace = nullptr;
    form::Lesson const* m_lesson = nullptr;
    StepWindow* m_steps = nullptr;
    int m_lastClick = -1;
};

} // namespace host
