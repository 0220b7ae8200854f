#include "host/QuestionPanel.h"

#include "host/StepWidgets.h"
#include "host/Utf16.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace host {

namespace {

// How many missed questions the summary shows at once; more scroll.
constexpr int kMissedRowsShown = 4;

bool sameChoices(std::vector<form::AnswerChoice> const& a, std::vector<form::AnswerChoice> const& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](auto const& x, auto const& y) {
        return x.label == y.label && x.key == y.key;
    });
}

} // namespace

QuestionPanel::QuestionPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("question"));
    setFrameShape(QFrame::StyledPanel);
    m_prompt = columnLabel(this, Qt::PlainText, text(steptext::kQuestionDescription), Lines::Many);
    QFont bold = m_prompt->font();
    bold.setBold(true);
    m_prompt->setFont(bold);

    m_choiceRow = new QWidget(this);
    auto* choices = new QHBoxLayout(m_choiceRow);
    choices->setContentsMargins(0, 0, 0, 0);

    m_answerRow = new QWidget(this);
    m_answer = new QLineEdit(m_answerRow);
    m_answer->setObjectName(QStringLiteral("answer"));
    m_answer->setMaxLength(40);
    describe(*m_answer, text(steptext::kAnswerName), text(steptext::kAnswerNumber));
    auto* answerLabel = new QLabel(text(steptext::kAnswer), m_answerRow);
    answerLabel->setBuddy(m_answer);
    auto* answers = new QHBoxLayout(m_answerRow);
    answers->setContentsMargins(0, 0, 0, 0);
    answers->addWidget(answerLabel);
    answers->addWidget(m_answer, 1);
    m_skip = makeButton(text(steptext::kSkip), text(steptext::kSkipName), text(steptext::kSkipDescription), this);

    auto* row = new QHBoxLayout;
    row->addWidget(m_choiceRow);
    row->addWidget(m_answerRow, 1);
    row->addStretch();
    row->addWidget(m_skip);

    m_refusal = columnLabel(this, Qt::PlainText, text(steptext::kRefused), Lines::Many);
    m_refusal->setObjectName(QStringLiteral("refusal"));
    m_refusal->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
    m_feedback = columnLabel(this, Qt::PlainText, text(steptext::kFeedbackDescription), Lines::Many);
    m_feedback->setObjectName(QStringLiteral("feedback"));

    m_summaryCaption = new QLabel(text(steptext::kSummary), this);
    m_summary = columnLabel(this, Qt::PlainText, text(steptext::kSummaryDescription), Lines::Many);
    m_missed = new QListWidget(this);
    m_missed->setObjectName(QStringLiteral("missed"));
    describe(*m_missed, text(steptext::kSummaryName), text(steptext::kSummaryDescription));
    m_missed->setWordWrap(true);
    m_missed->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_summaryCaption->setBuddy(m_missed);
    connect(m_missed, &QListWidget::activated, this, [this](QModelIndex const& index) {
        if (goTo && index.row() >= 0 && std::size_t(index.row()) < m_missedSteps.size())
            goTo(m_missedSteps[std::size_t(index.row())]);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addLayout(row);
    layout->addWidget(m_refusal);
    layout->addWidget(m_feedback);
    layout->addWidget(m_summaryCaption);
    layout->addWidget(m_summary);
    layout->addWidget(m_missed);

    connect(m_answer, &QLineEdit::returnPressed, this, [this] {
        if (typed)
            typed(m_answer->text());
    });
    connect(m_skip, &QPushButton::clicked, this, [this] {
        if (skipped)
            skipped();
    });
    hide();
}

void QuestionPanel::showChoices(form::Question const& question) {
    if (sameChoices(question.choices, m_shownChoices))
        return;
    m_shownChoices = question.choices;
    for (QPushButton* button : m_choices)
        delete button;
    m_choices.clear();
    m_keys.clear(); // children of the buttons, gone with them
    for (std::size_t index = 0; index < question.choices.size(); ++index) {
        form::AnswerChoice const& choice = question.choices[index];
        QString const label = toQString(choice.label);
        QString const key = QString(QChar(choice.key));
        auto* button = makeButton(text(steptext::kChoiceButton, {label, key}), text(steptext::kChoiceName, {label}),
                                  text(steptext::kChoiceKeys, {key}), m_choiceRow);
        auto const choose = [this, index] {
            if (chose)
                chose(static_cast<std::int32_t>(index));
        };
        connect(button, &QPushButton::clicked, this, choose);
        // The key alone answers, wherever the focus is but in a field, which takes it as text.
        auto* shortcut = new QShortcut(QKeySequence(key), button);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, choose);
        m_choiceRow->layout()->addWidget(button);
        m_choices.push_back(button);
        m_keys.push_back(shortcut);
    }
}

void QuestionPanel::render(form::Quiz const& quiz, bool finished) {
    form::Question const* const question = quiz.question();
    bool const asking = question != nullptr;
    QString const prompt = asking ? toQString(question->prompt) : QString();
    bool const newPrompt = prompt != m_prompt->text();
    showIn(*m_prompt, text(steptext::kQuestion), prompt);
    m_prompt->setVisible(asking);
    bool const choosing = asking && question->kind == form::AnswerKind::Choice;
    if (choosing)
        showChoices(*question);
    m_choiceRow->setVisible(choosing);
    m_answerRow->setVisible(asking && !choosing);
    m_skip->setVisible(asking);
    if (asking && !choosing) {
        bool const position = question->kind == form::AnswerKind::Position;
        describe(*m_answer, text(steptext::kAnswerName),
                 text(position ? steptext::kAnswerPosition : steptext::kAnswerNumber));
        if (newPrompt)
            m_answer->clear();
    }
    if (newPrompt)
        refuse({});
    renderFeedback(quiz);
    renderSummary(quiz, finished);
    bool const shown = asking || !m_feedback->text().isEmpty() || !m_refusal->text().isEmpty() ||
                       m_missed->isVisibleTo(this) || m_summary->isVisibleTo(this);
    setVisible(shown);
    if (asking && newPrompt)
        announce(*m_prompt);
}

void QuestionPanel::renderFeedback(form::Quiz const& quiz) {
    std::optional<form::Feedback> const feedback = quiz.question() ? std::nullopt : quiz.feedback();
    form::Step const* const step = quiz.player().step();
    if (!feedback || !step) {
        showIn(*m_feedback, text(steptext::kFeedback), {});
        m_feedback->hide();
        return;
    }
    QStringList reads;
    for (form::CallLine const& line : step->calls) {
        if (line.memberRead)
            reads << toQString(line.text);
    }
    QString shown = text(feedback->right ? steptext::kRightSign : steptext::kWrongSign) +
                    toQString(feedback->line) + toQString(step->sentence);
    if (!reads.isEmpty())
        shown += text(steptext::kFeedbackReads, {reads.join(QStringLiteral("、"))});
    showIn(*m_feedback, text(steptext::kFeedback), shown);
    // Right or wrong in more than colour: the sign says it too.
    m_feedback->setStyleSheet(feedback->right ? QStringLiteral("QLabel { background: #e3f5e1; }")
                                              : QStringLiteral("QLabel { background: #fbe3e3; }"));
    m_feedback->show();
}

void QuestionPanel::renderSummary(form::Quiz const& quiz, bool finished) {
    bool const summarised = finished && quiz.predicting() && !quiz.question();
    std::vector<form::Missed> const missed = summarised ? quiz.missed() : std::vector<form::Missed>{};
    QString const score = toQString(quiz.scoreText());
    QString const said = !summarised ? QString()
                         : missed.empty()
                             ? text(steptext::kAllRight, {score})
                             : text(steptext::kSomeWrong, {QString::number(missed.size()), score});
    showIn(*m_summary, text(steptext::kSummaryName), said);
    m_summary->setVisible(summarised);
    std::vector<std::size_t> steps;
    QStringList entries;
    for (form::Missed const& wrong : missed) {
        steps.push_back(wrong.shown);
        entries << text(steptext::kMissed, {QString::number(wrong.shown + 1), toQString(wrong.prompt),
                                            toQString(wrong.given), toQString(wrong.answer)});
    }
    if (steps != m_missedSteps) {
        m_missedSteps = steps;
        m_missed->clear();
        m_missed->addItems(entries);
        int const rows = std::min<int>(kMissedRowsShown, int(entries.size()));
        int height = 2 * m_missed->frameWidth();
        for (int row = 0; row < rows; ++row)
            height += m_missed->sizeHintForRow(row);
        m_missed->setFixedHeight(std::max(height, m_missed->fontMetrics().height()));
    }
    m_missed->setVisible(summarised && !missed.empty());
    m_summaryCaption->setVisible(summarised && !missed.empty());
}

void QuestionPanel::refuse(QString const& message) {
    showIn(*m_refusal, text(steptext::kRefused), message);
    m_refusal->setVisible(!message.isEmpty());
    if (!message.isEmpty()) {
        show();
        announce(*m_refusal);
    }
}

void QuestionPanel::announceFeedback() {
    if (!m_feedback->text().isEmpty())
        announce(*m_feedback);
}

QWidget* QuestionPanel::answerControl() const {
    if (m_choiceRow->isVisibleTo(this) && !m_choices.empty())
        return m_choices.front();
    if (m_answerRow->isVisibleTo(this))
        return m_answer;
    return nullptr;
}

std::vector<QWidget*> QuestionPanel::controls() const {
    std::vector<QWidget*> order(m_choices.begin(), m_choices.end());
    order.insert(order.end(), {m_answer, m_skip, m_missed});
    return order;
}

} // namespace host
