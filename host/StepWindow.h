#pragma once

#include "form/CallTrace.h"
#include "form/Player.h"
#include "form/Steps.h"

#include <QRect>
#include <QStringList>
#include <QWidget>

#include <cstddef>
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

class ProcedureList;
class StepTableModel;

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
// It shows the main window's last click and each new one; with a lesson that takes them, it also runs
// the chosen button's comparator or function on numbers the learner types, in this window only.
//
// What is shown is the player's: the window draws its current step and hands it every action of the
// learner's (keys, buttons, the slider, the timer of playing), so it knows no algorithm. Keys, wherever
// the focus is but in the field of own numbers: ← and → step, Home and End go to the first and last
// step, Space plays and pauses, PageUp and PageDown jump to the previous and next step of the
// recording's first kind of jump (an exchange), Ctrl with them of its second (a pass), Esc closes.
// Enter presses the focused button. Controls that can do nothing at a step are disabled.
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
    // Traces each run on the learner's own numbers as a click of its own (null: no trace).
    void setCallTrace(form::CallTrace* trace) { m_trace = trace; }
    // Runs the chosen button on the numbers in the field, or says beside it why it cannot.
    void runOwnNumbers();

    // The learner's actions, as the keys and buttons make them.
    void goToStep(std::size_t shown);
    void stepBy(int delta);
    void jump(std::size_t kind, bool forward);
    void setFolded(bool folded);
    void setPlaying(bool playing);

    form::Player const& player() const { return m_player; }
    form::Recording const& recording() const { return m_player.recording(); }
    std::size_t stepCount() const { return m_player.stepCount(); }
    std::size_t currentStep() const { return m_player.current(); }
    form::Step const* step() const { return m_player.step(); }

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

private:
    form::CallTrace* m_trace = nullptr;
    void layOutNow();
    void addKeys();
    QWidget* createPanel();
    QWidget* createState();
    QWidget* createControls();
    QWidget* createOwnNumbers();
    void createJumps();
    void orderTabs();
    void showRecording(form::Recording recording, QString title);
    void fitColumns();
    void render();
    void renderPanel(form::Step const& step);
    void showMarkedRows(form::Step const& step);
    void enableControls();

    form::Lesson const& m_lesson;
    QStringList m_captions;
    form::Player m_player;

    QScrollArea* m_page;
    QLabel* m_title;
    QLabel* m_sentence;
    ProcedureList* m_procedure = nullptr;
    QLabel* m_calls = nullptr;
    QLabel* m_variables = nullptr;
    QLabel* m_counters = nullptr;
    QLabel* m_error = nullptr;
    StepTableModel* m_model;
    QTableView* m_table;
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
    QCheckBox* m_fold = nullptr;
    QLineEdit* m_numbers = nullptr;
    QComboBox* m_chooser = nullptr;
    QPushButton* m_run = nullptr;
    QLabel* m_message = nullptr;
    QTimer* m_timer;
};

} // namespace host
