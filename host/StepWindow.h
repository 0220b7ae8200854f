#pragma once

#include "form/CallTrace.h"
#include "form/Player.h"
#include "form/Quiz.h"
#include "form/Steps.h"

#include <QRect>
#include <QStringList>
#include <QWidget>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;
class QTableView;
class QTimer;

namespace host {

class CollectionView;
class ComparisonWindow;
class ProcedureList;
class QuestionPanel;
class RunChooser;
class WhyPanel;

// Where a window goes beside the main window, and where the main window then stands.
struct Beside {
    QRect window;
    QPoint main;
};

// Places a window of size (at least minimum) beside the main window, both in frame coordinates: to
// its right, else below, left or above it, wherever it fits whole within the screen's available area;
// it is made smaller, down to minimum, to fit a side. Where no side has room but the screen has room
// for both side by side, the main window moves to the screen's left edge (or else its top edge) and
// the window goes beside it. Otherwise it stays on the screen, in the corner furthest from where the
// main window starts, and the main window where it is.
Beside besideWindow(QRect main, QSize size, QSize minimum, QRect available);

// A window beside the main one that shows a click step by step: the procedure's lines with the
// current one marked, the collection as it stands with its marked rows, the calls the step made, the
// procedure's variables, the counters and one Japanese sentence that screen readers are told of.
// It shows the main window's last click and each new one, and runs in this window only what a learner
// chooses of the lesson: a button's comparator or function, or one of the lesson's own completed with
// a typed text (CmpMember of a member name, a function with a constant), on the program's data, a
// ready-made data set or numbers the learner types. A choice that cannot run is answered beside its
// field, and the recording shown stays.
//
// What is shown is the quiz's player's: the window draws its current step and hands it every action
// of the learner's (keys, buttons, the slider, the timer of playing), so it knows no algorithm. Keys,
// wherever the focus is but in a field: ← and → step, Home and End go to the first and last step,
// Space plays and pauses, PageUp and PageDown jump to the previous and next step of the recording's
// first kind of jump (an exchange), Ctrl with them of its second (a pass), Esc closes the panel of
// explanations, or else the window. Enter presses the focused button. Controls that can do nothing at
// a step are disabled.
//
// Predicting (a check box), the window asks each question of the recording before the step that
// answers it (QuestionPanel): T and F answer a True or False question, a position is a row chosen
// with the arrows and Enter or a typed number, a number is typed. The score stands beside the
// counters, and at the end the questions answered wrongly, each a way back to its step. Each of the
// run's explanations shows once, at its first step (WhyPanel); 「なぜ？」 lists them all again. A button
// opens two runs side by side (ComparisonWindow).
//
// It fits any screen: the panel beside the collection scrolls, the collection scrolls and keeps the
// rows the step is about in view, and below unscrolledSize() the whole window scrolls.
class StepWindow : public QWidget {
public:
    // captions: the main window's button captions, by Index.
    StepWindow(form::Lesson const& lesson, QStringList captions, QWidget* parent = nullptr);
    ~StepWindow() override;

    // Records button index's click on the program's data and shows its first step.
    void showClick(int index);
    // Traces each run made in this window as a click of its own, and each answer while predicting
    // (null: no trace).
    void setCallTrace(form::CallTrace* trace) { m_trace = trace; }
    // Runs what the learner chose, or says beside the field why it cannot.
    void runChosen();

    // The learner's actions, as the keys and buttons make them.
    void goToStep(std::size_t shown);
    void stepBy(int delta);
    void jump(std::size_t kind, bool forward);
    void setFolded(bool folded);
    void setPlaying(bool playing);
    void setPredicting(bool predicting);
    void answer(std::int32_t given);
    void answerText(QString const& typed);
    void skipQuestion();
    // Opens the window of two runs side by side.
    void openComparison();

    form::Quiz const& quiz() const { return m_quiz; }
    form::Player const& player() const { return m_quiz.player(); }
    form::Recording const& recording() const { return player().recording(); }
    std::size_t stepCount() const { return player().stepCount(); }
    std::size_t currentStep() const { return player().current(); }
    form::Step const* step() const { return player().step(); }
    ComparisonWindow* comparisonWindow() const { return m_comparison.get(); }

    // Names the window after the program ("Talverin の手順 — Sort_Collection").
    void setProgramName(QString const& program);
    // Places the window beside main, on the screen main stands on (see besideWindow), asking for
    // comfortableSize(): main moves where only that makes room.
    void placeBeside(QWidget& main);

    // The smallest size at which everything shows with only the panel and the collection scrolling;
    // smaller, the whole window scrolls.
    QSize unscrolledSize() const;
    // A size at which the collection shows a good part of its rows and the panel needs no scrolling:
    // what the window asks of the screen beside the main window.
    QSize comfortableSize() const;

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // Brings the window, frame and all, within its screen's available area.
    void keepOnScreen();

private:
    form::CallTrace* m_trace = nullptr;
    void layOutNow();
    void addKeys();
    QWidget* createPanel();
    QWidget* createState();
    QWidget* createControls();
    QWidget* createRuns();
    void createJumps();
    void orderTabs();
    void showRecording(form::Recording recording, QString title);
    void render();
    void renderQuestion();
    void renderPanel(form::Step const& step);
    void enableControls();
    // What the quiz said of an answer given (the choice, position or number, where known).
    void took(form::Feedback const& feedback, std::optional<std::int32_t> given);
    void traceAnswer(form::Feedback const& feedback, std::int32_t given);
    void focusSlider();

    form::Lesson const& m_lesson;
    QStringList m_captions;
    form::Quiz m_quiz;
    bool m_finished = false;                 // predicting, the run was followed to its end
    std::optional<std::size_t> m_asked;      // the shown step whose question was last put
    std::vector<bool> m_explained;           // by explanation: shown once already
    bool m_framed = false;                   // kept within the screen since its frame was known

    QScrollArea* m_page;
    QLabel* m_title;
    QLabel* m_sentence;
    ProcedureList* m_procedure = nullptr;
    QLabel* m_calls = nullptr;
    QLabel* m_variables = nullptr;
    QLabel* m_counters = nullptr;
    QLabel* m_score = nullptr;
    QLabel* m_error = nullptr;
    QuestionPanel* m_question;
    WhyPanel* m_why;
    CollectionView* m_table;
    QPushButton* m_first = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
    QPushButton* m_play = nullptr;
    QComboBox* m_speed = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_position = nullptr;
    QWidget* m_jumpRow = nullptr;
    std::vector<QPushButton*> m_jumps; // back and forward of each jump kind, in turn
    std::vector<std::u16string> m_jumpNames;
    QPushButton* m_whyButton = nullptr;
    QCheckBox* m_predict = nullptr;
    QCheckBox* m_fold = nullptr;
    QPushButton* m_compare = nullptr;
    RunChooser* m_runs = nullptr;
    QPushButton* m_run = nullptr;
    QLabel* m_message = nullptr;
    QTimer* m_timer;
    std::unique_ptr<ComparisonWindow> m_comparison;
};

} // namespace host
