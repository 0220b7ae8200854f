#pragma once

#include "form/Steps.h"

#include <QFrame>

#include <functional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace host {

// Why a run does what it does: one of the recording's explanations, shown at the first step where it
// applies and told to screen readers then, beside the list of all the run's explanations to read
// again. 閉じる (or Esc, through the window) hides it; the window's 「なぜ？」 button opens it again.
class WhyPanel final : public QFrame {
public:
    explicit WhyPanel(QWidget* parent);

    // Lists recording's explanations (null: none) and hides.
    void setRecording(form::Recording const* recording);
    // Shows explanation index of the recording, chosen in the list, and tells screen readers of it.
    void showExplanation(int index);
    // Shows the list from its first explanation, the focus in the list.
    void open();
    bool hasExplanations() const;
    // Hides it; dismissed is told whether the focus was inside, to put it back where the arrows step.
    void dismiss();
    std::function<void(bool focusWasInside)> dismissed;

    // Its controls, in Tab order.
    std::vector<QWidget*> controls() const;

private:
    void showChosen(int index);

    form::Recording const* m_recording = nullptr;
    QListWidget* m_list;
    QLabel* m_title;
    QLabel* m_text;
    QPushButton* m_close;
};

} // namespace host
