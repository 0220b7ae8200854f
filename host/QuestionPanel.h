#pragma once

#include "form/Quiz.h"

#include <QFrame>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QShortcut;

namespace host {

// Predict, then see: what a form::Quiz says at the current step, drawn above the collection. While a
// question is put: its prompt, a button for each choice (pressed by its key too, T and F) or a field
// for a position or a number, and a button that shows the step unanswered. Once the step shows: the
// feedback on the answer given to it, with the step's own sentence and the values it read. At the
// end of a run predicted: the questions answered wrongly, each an entry that goes to its step. The
// prompt, the feedback and a refusal are told to screen readers as they appear.
class QuestionPanel final : public QFrame {
public:
    explicit QuestionPanel(QWidget* parent);

    // Draws quiz at its current step; finished: the run has been followed to its end while predicting.
    void render(form::Quiz const& quiz, bool finished);
    // Says why a typed answer was not taken (empty: nothing to say), and tells screen readers.
    void refuse(QString const& message);
    // Tells screen readers of the feedback just given.
    void announceFeedback();

    // The learner's answers, as the buttons, keys and field make them.
    std::function<void(std::int32_t choice)> chose;
    std::function<void(QString const& typed)> typed;
    std::function<void()> skipped;
    std::function<void(std::size_t shown)> goTo;

    // The control a question asks the learner to use first (a choice, the field), or null.
    QWidget* answerControl() const;
    // Its controls, in Tab order.
    std::vector<QWidget*> controls() const;

private:
    void showChoices(form::Question const& question);
    void renderFeedback(form::Quiz const& quiz);
    void renderSummary(form::Quiz const& quiz, bool finished);

    QLabel* m_prompt;
    QWidget* m_choiceRow;
    std::vector<QPushButton*> m_choices;
    std::vector<QShortcut*> m_keys;
    QWidget* m_answerRow;
    QLineEdit* m_answer;
    QPushButton* m_skip;
    QLabel* m_refusal;
    QLabel* m_feedback;
    QLabel* m_summaryCaption;
    QLabel* m_summary;
    QListWidget* m_missed;
    std::vector<std::size_t> m_missedSteps;
    std::vector<form::AnswerChoice> m_shownChoices;
};

} // namespace host
