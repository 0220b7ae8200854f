#include "form/Quiz.h"

#include "form/Numbers.h"
#include "runtime/Text.h"

#include <algorithm>

namespace form {

namespace {

// An answer as the feedback and the summary name it: a choice's label, 位置 5, or the number.
std::u16string spokenAnswer(Question const& question, std::int32_t value) {
    switch (question.kind) {
    case AnswerKind::Choice:
        return question.choices.at(static_cast<std::size_t>(value)).label;
    case AnswerKind::Position:
        return u"位置 " + runtime::decimalText(value);
    case AnswerKind::Number:
        break;
    }
    return runtime::decimalText(value);
}

Feedback feedbackOf(Question const& question, Answer answer) {
    std::u16string const right = spokenAnswer(question, question.answer);
    if (answer.right)
        return {true, true, fill(u"正解です。答えは %1 です。", {right})};
    return {true, false,
            fill(u"ちがいます。あなたの答えは %1 で、正しい答えは %2 です。",
                 {spokenAnswer(question, answer.given), right})};
}

Feedback refused(std::u16string message) { return {false, false, std::move(message)}; }

} // namespace

void Quiz::load(Recording recording) {
    m_player.load(std::move(recording));
    m_answers.clear();
    m_asked.reset();
    m_frontier = 0;
}

void Quiz::setPredicting(bool predicting) {
    m_predicting = predicting;
    m_asked.reset();
    if (predicting && m_player.stepCount() > 0)
        m_frontier = recordedAt(m_player.current());
}

Question const* Quiz::question() const noexcept {
    if (!m_asked)
        return nullptr;
    return &*m_player.recording().steps[recordedAt(*m_asked)].question;
}

bool Quiz::due(std::size_t shown) const {
    if (!m_predicting || shown >= m_player.stepCount())
        return false;
    std::size_t const recorded = recordedAt(shown);
    return recorded > m_frontier && m_player.recording().steps[recorded].question &&
           !m_answers.contains(recorded);
}

void Quiz::reach() {
    if (m_player.stepCount() > 0)
        m_frontier = std::max(m_frontier, recordedAt(m_player.current()));
}

Feedback Quiz::take(Question const& question, std::int32_t given) {
    Answer const answer{given, given == question.answer};
    m_answers[recordedAt(*m_asked)] = answer;
    m_player.goTo(*m_asked);
    m_asked.reset();
    reach();
    return feedbackOf(question, answer);
}

Feedback Quiz::answer(std::int32_t given) {
    Question const* asked = question();
    if (!asked)
        return refused(u"いまは問いがありません。");
    if (asked->kind == AnswerKind::Choice &&
        (given < 0 || static_cast<std::size_t>(given) >= asked->choices.size()))
        return refused(u"選べる答えのどれかを選んでください。");
    if (asked->kind == AnswerKind::Position) {
        // A position of the collection as the step that answers leaves it.
        std::vector<Row> const& rows = m_player.recording().steps[recordedAt(*m_asked)].rows;
        auto const positions = std::count_if(rows.begin(), rows.end(), [](Row const& row) { return row.position > 0; });
        if (given < 1)
            return refused(u"位置は 1 から数えます。1 以上の整数で答えてください。");
        if (positions > 0 && given > positions)
            return refused(fill(u"位置は 1 から %1 までの整数で答えてください。",
                                {runtime::decimalText(static_cast<std::int64_t>(positions))}));
    }
    return take(*asked, given);
}

Feedback Quiz::answerText(std::u16string_view typed) {
    Question const* asked = question();
    if (!asked)
        return refused(u"いまは問いがありません。");
    if (asked->kind != AnswerKind::Choice) {
        ParsedNumber parsed = parseWholeNumber(typed);
        if (!parsed.number)
            return refused(std::move(parsed.message));
        return answer(*parsed.number);
    }
    std::u16string labels;
    for (std::size_t index = 0; index < asked->choices.size(); ++index) {
        AnswerChoice const& choice = asked->choices[index];
        if (runtime::sameIgnoringAsciiCase(typed, choice.label) ||
            runtime::sameIgnoringAsciiCase(typed, std::u16string_view(&choice.key, 1)))
            return take(*asked, static_cast<std::int32_t>(index));
        labels += (labels.empty() ? u"「" : u"か「") + choice.label + u"」";
    }
    return refused(labels + u"を選んでください。");
}

bool Quiz::skip() {
    if (!m_asked)
        return false;
    bool const moved = m_player.goTo(*m_asked);
    m_asked.reset();
    reach();
    return moved;
}

std::optional<Feedback> Quiz::feedback() const {
    if (m_player.stepCount() == 0)
        return std::nullopt;
    std::size_t const recorded = recordedAt(m_player.current());
    auto const found = m_answers.find(recorded);
    if (found == m_answers.end())
        return std::nullopt;
    return feedbackOf(*m_player.recording().steps[recorded].question, found->second);
}

Score Quiz::score() const {
    Score score;
    for (auto const& [recorded, answer] : m_answers) {
        ++score.asked;
        score.right += answer.right ? 1 : 0;
    }
    return score;
}

std::u16string Quiz::scoreText() const {
    Score const counted = score();
    return fill(u"正解 %1 / 問 %2",
                {runtime::decimalText(counted.right), runtime::decimalText(counted.asked)});
}

std::vector<Missed> Quiz::missed() const {
    std::vector<Missed> missed;
    for (auto const& [recorded, answer] : m_answers) {
        if (answer.right)
            continue;
        Question const& question = *m_player.recording().steps[recorded].question;
        missed.push_back({m_player.shownIndexOf(recorded), question.prompt,
                          spokenAnswer(question, answer.given), spokenAnswer(question, question.answer)});
    }
    return missed;
}

bool Quiz::goTo(std::size_t shown) {
    return passOver([&] { return m_player.goTo(shown); });
}

bool Quiz::stepBy(int delta) {
    if (delta != 1)
        return passOver([&] { return m_player.stepBy(delta); });
    if (m_asked)
        return false;
    if (due(m_player.current() + 1)) {
        m_asked = m_player.current() + 1;
        return false;
    }
    return passOver([&] { return m_player.stepBy(1); });
}

bool Quiz::last() {
    return passOver([&] { return m_player.last(); });
}

bool Quiz::jumpForward(std::size_t jump) {
    m_asked.reset();
    std::optional<std::size_t> const stop = m_player.nextStop(jump);
    if (!stop)
        return false;
    bool const asks = due(*stop);
    bool const moved = m_player.goTo(asks ? *stop - 1 : *stop);
    reach();
    if (asks)
        m_asked = *stop;
    return moved;
}

bool Quiz::jumpBack(std::size_t jump) {
    return passOver([&] { return m_player.jumpBack(jump); });
}

void Quiz::setFolded(bool folded) {
    passOver([&] {
        m_player.setFolded(folded);
        return true;
    });
}

void Quiz::setPlaying(bool playing) { m_player.setPlaying(playing && !m_asked); }

bool Quiz::tick() {
    if (!m_player.playing())
        return false;
    if (due(m_player.current() + 1)) {
        m_player.setPlaying(false);
        m_asked = m_player.current() + 1;
        return false;
    }
    return passOver([&] { return m_player.tick(); });
}

} // namespace form
