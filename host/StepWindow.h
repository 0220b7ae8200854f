#pragma once

#include "form/Steps.h"

#include <QRect>
#include <QStringList>
#include <QWidget>

#include <cstddef>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QTableWidget;
class QTimer;

namespace host {

// Where a window of size (at least minimum) goes beside the main window, both in frame coordinates:
// to its right, else below, left or above it, wherever it fits whole within the screen's available
// area; it is made smaller, down to minimum, to fit a side. With no room on any side it stays on the
// screen, in the corner furthest from where the main window starts.
QRect besideWindow(QRect main, QSize size, QSize minimum, QRect available);

// A window beside the main one that shows a click step by step: the procedure's lines with the
// current one marked, the collection as it stands with the positions the step is about, the calls
// the step made, the counters so far and one Japanese sentence that screen readers are told of.
// It shows the main window's last click and each new one; with a lesson that takes them, it also runs
// the chosen button's comparator or function on numbers the learner types, in this window only.
// Keys, wherever the focus is but in the field of own numbers: ← and → step, Home and End go to the
// first and last step, Space plays and pauses, Esc closes. Enter presses the focused button.
class StepWindow : public QWidget {
public:
    // captions: the main window's button captions, by Index.
    StepWindow(form::Lesson const& lesson, QStringList captions, QWidget* parent = nullptr);
    ~StepWindow() override;

    // Records button index's click on the program's data and shows its first step.
    void showClick(int index);
    // Runs the chosen button on the numbers in the field, or says beside it why it cannot.
    void runOwnNumbers();

    void goToStep(std::size_t visibleIndex);
    void stepBy(int delta);
    void setFolded(bool folded);
    void setPlaying(bool playing);

    // What is shown, for tests.
    form::Recording const& recording() const { return m_recording; }
    std::size_t stepCount() const { return m_visible.size(); }
    std::size_t currentStep() const { return m_current; }
    form::Step const* step() const;

private:
    void addKeys();
    QWidget* createControls();
    QWidget* createOwnNumbers();
    void showRecording(form::Recording recording, QString title);
    void render();
    void renderRows(form::Step const& step);

    form::Lesson const& m_lesson;
    QStringList m_captions;
    form::Recording m_recording;
    std::vector<std::size_t> m_visible;
    std::size_t m_current = 0;
    bool m_folded = false;
    bool m_fitColumns = true;

    QLabel* m_title;
    QLabel* m_sentence;
    QListWidget* m_procedure;
    QTableWidget* m_table;
    QLabel* m_calls;
    QLabel* m_counters;
    QLabel* m_error;
    QPushButton* m_first = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
    QPushButton* m_play = nullptr;
    QComboBox* m_speed = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_position = nullptr;
    QCheckBox* m_fold = nullptr;
    QLineEdit* m_numbers = nullptr;
    QComboBox* m_chooser = nullptr;
    QPushButton* m_run = nullptr;
    QLabel* m_message = nullptr;
    QTimer* m_timer;
};

} // namespace host
