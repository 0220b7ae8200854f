#include "form/Quiz.h"

#include "runtime/Text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace form {
namespace {

constexpr std::size_t kCompare = 0; // the recording's one jump

// A recording made by hand, each step's sentence its index in the recording; questions on 2, 4, 7, 8:
//   0 start, 1 pass, 2 compare (True), 3 item, 4 add (position 4), 5 remove (3 to 5 one group),
//   6 the group's whole, 7 compare (False), 8 a call (-7), 9 end
// Unfolded, 9 steps are shown: 0 1 2 3 4 5 7 8 9; folded, 7: 0 1 2 6 7 8 9.
Recording withQuestions() {
    Recording recording;
    recording.jumps = {u"比較"};
    auto const add = [&](Fold fold, std::optional<Question> question = std::nullopt,
                         std::uint32_t stops = 0) {
        Step& step = recording.steps.emplace_back();
        step.fold = fold;
        step.stops = stops;
        step.sentence = std::u16string(1, static_cast<char16_t>(u'0' + recording.steps.size() - 1));
        step.question = std::move(question);
    };
    auto const trueOrFalse = [](std::int32_t answer) {
        return Question{AnswerKind::Choice, u"True か False か", {{u"True", u'T'}, {u"False", u'F'}}, answer};
    };
    add(Fold::Always);
    add(Fold::Always);
    add(Fold::Always, trueOrFalse(0), 1);
    add(Fold::UnfoldedOnly);
    add(Fold::UnfoldedOnly, Question{AnswerKind::Position, u"どの位置？", {}, 4});
    add(Fold::UnfoldedOnly);
    add(Fold::FoldedOnly);
    add(Fold::Always, trueOrFalse(1), 1);
    add(Fold::Always, Question{AnswerKind::Number, u"いくつ？", {}, -7});
    add(Fold::Always);
    return recording;
}

int recordedStep(Quiz const& quiz) { return quiz.player().step()->sentence.front() - u'0'; }

int askedStep(Quiz const& quiz) {
    std::optional<std::size_t> const shown = quiz.questionStep();
    return shown ? static_cast<int>(quiz.player().recordedIndex(*shown)) : -1;
}

// What an action said: a move "→" when the step changed, "" when not; an answer its feedback's line,
// after "×" when the answer was refused.
using Act = std::function<std::u16string(Quiz&)>;

Act move(std::function<bool(Quiz&)> act) {
    return [act](Quiz& quiz) { return std::u16string(act(quiz) ? u"→" : u""); };
}
std::u16string say(Feedback const& feedback) { return (feedback.taken ? u"" : u"×") + feedback.line; }
Act answer(std::int32_t given) {
    return [given](Quiz& quiz) { return say(quiz.answer(given)); };
}
Act typed(std::u16string text) {
    return [text](Quiz& quiz) { return say(quiz.answerText(text)); };
}

// Each row: what the learner does, what it said, where the quiz then stands (the recorded step shown,
// the recorded step whose question is put or -1), the feedback shown with the step and the score.
struct Row {
    char const* what;
    Act act;
    std::u16string said;
    int recorded;
    int asked;
    std::u16string feedback;
    std::u16string score;
};

void play(Quiz& quiz, std::span<Row const> rows) {
    for (Row const& row : rows) {
        EXPECT_EQ(runtime::toUtf8(row.act(quiz)), runtime::toUtf8(row.said)) << row.what;
        EXPECT_EQ(recordedStep(quiz), row.recorded) << row.what;
        EXPECT_EQ(askedStep(quiz), row.asked) << row.what;
        EXPECT_EQ(quiz.question() != nullptr, row.asked >= 0) << row.what;
        std::optional<Feedback> const feedback = quiz.feedback();
        EXPECT_EQ(runtime::toUtf8(feedback ? feedback->line : u""), runtime::toUtf8(row.feedback))
            << row.what;
        EXPECT_EQ(runtime::toUtf8(quiz.scoreText()), runtime::toUtf8(row.score)) << row.what;
    }
}

TEST(QuizTest, AsksBeforeEachQuestionsStepOnceAndScoresTheAnswers) {
    auto const on = move([](Quiz& quiz) {
        quiz.setPredicting(true);
        return false;
    });
    auto const forward = move([](Quiz& quiz) { return quiz.stepBy(1); });
    auto const back = move([](Quiz& quiz) { return quiz.stepBy(-1); });
    auto const jump = move([](Quiz& quiz) { return quiz.jumpForward(kCompare); });
    auto const last = move([](Quiz& quiz) { return quiz.last(); });
    auto const tick = move([](Quiz& quiz) { return quiz.tick(); });
    std::u16string const rightTrue = u"正解です。答えは True です。";
    std::u16string const wrongPosition = u"ちがいます。あなたの答えは 位置 3 で、正しい答えは 位置 4 です。";

    // Not predicting, nothing is asked.
    Quiz quiz;
    quiz.load(withQuestions());
    Row const off[] = {
        {"forward", forward, u"→", 1, -1, u"", u"正解 0 / 問 0"},
        {"onto a question's step", forward, u"→", 2, -1, u"", u"正解 0 / 問 0"},
    };
    play(quiz, off);

    // Unfolded and predicting, from the start again.
    quiz.load(withQuestions());
    Row const unfolded[] = {
        {"predicting", on, u"", 0, -1, u"", u"正解 0 / 問 0"},
        {"a jump to a comparison asks on the step before", jump, u"→", 1, 2, u"", u"正解 0 / 問 0"},
        {"forward again does nothing", forward, u"", 1, 2, u"", u"正解 0 / 問 0"},
        {"a key answers", typed(u"t"), rightTrue, 2, -1, rightTrue, u"正解 1 / 問 1"},
        {"forward", forward, u"→", 3, -1, u"", u"正解 1 / 問 1"},
        {"the Add asks for a position", forward, u"", 3, 4, u"", u"正解 1 / 問 1"},
        {"a text that is no number", typed(u"x"), u"×「x」は整数ではありません。", 3, 4, u"",
         u"正解 1 / 問 1"},
        {"position 0", answer(0), u"×位置は 1 から数えます。1 以上の整数で答えてください。", 3, 4, u"",
         u"正解 1 / 問 1"},
        {"a wrong position", answer(3), wrongPosition, 4, -1, wrongPosition, u"正解 1 / 問 2"},
        {"back", back, u"→", 3, -1, u"", u"正解 1 / 問 2"},
        {"forward again: the answer, not the question", forward, u"→", 4, -1, wrongPosition,
         u"正解 1 / 問 2"},
        {"back twice", move([](Quiz& q) { return q.stepBy(-2); }), u"→", 2, -1, rightTrue, u"正解 1 / 問 2"},
        {"the slider", move([](Quiz& q) { return q.goTo(5); }), u"→", 5, -1, u"", u"正解 1 / 問 2"},
    };
    play(quiz, unfolded);
    // Playing stops at the next question.
    quiz.goTo(4);
    quiz.setPlaying(true);
    Row const playing[] = {
        {"a tick", tick, u"→", 5, -1, u"", u"正解 1 / 問 2"},
        {"the question stops playing", tick, u"", 5, 7, u"", u"正解 1 / 問 2"},
        {"a choice's text that answers nothing", typed(u"maybe"), u"×「True」か「False」を選んでください。",
         5, 7, u"", u"正解 1 / 問 2"},
        {"the last step passes over two", last, u"→", 9, -1, u"", u"正解 1 / 問 2"},
        {"back twice", move([](Quiz& q) { return q.stepBy(-2); }), u"→", 7, -1, u"", u"正解 1 / 問 2"},
        {"forward: passed over, not asked", forward, u"→", 8, -1, u"", u"正解 1 / 問 2"},
    };
    play(quiz, playing);
    EXPECT_FALSE(quiz.player().playing());
    ASSERT_EQ(quiz.missed().size(), 1u);
    Missed const missed = quiz.missed().front();
    EXPECT_EQ(missed.prompt, u"どの位置？");
    EXPECT_EQ(missed.given, u"位置 3");
    EXPECT_EQ(missed.answer, u"位置 4");
    quiz.goTo(missed.shown);
    EXPECT_EQ(recordedStep(quiz), 4);
    // Folded, the Add is hidden: its missed question is found at its group's whole.
    quiz.setFolded(true);
    EXPECT_EQ(quiz.player().recordedIndex(quiz.missed().front().shown), 6u);

    // Folded from the start: the Add's question is not asked.
    quiz.load(withQuestions());
    Row const folded[] = {
        {"forward", forward, u"→", 1, -1, u"", u"正解 0 / 問 0"},
        {"the comparison asks", forward, u"", 1, 2, u"", u"正解 0 / 問 0"},
        {"a wrong choice", answer(1), u"ちがいます。あなたの答えは False で、正しい答えは True です。", 2, -1,
         u"ちがいます。あなたの答えは False で、正しい答えは True です。", u"正解 0 / 問 1"},
        {"the group's whole asks nothing", forward, u"→", 6, -1, u"", u"正解 0 / 問 1"},
        {"the next comparison asks", jump, u"", 6, 7, u"", u"正解 0 / 問 1"},
        {"F answers it", typed(u"F"), u"正解です。答えは False です。", 7, -1,
         u"正解です。答えは False です。", u"正解 1 / 問 2"},
        {"the number asks", forward, u"", 7, 8, u"正解です。答えは False です。", u"正解 1 / 問 2"},
        {"a number typed in full width", typed(u"－７"), u"正解です。答えは -7 です。", 8, -1,
         u"正解です。答えは -7 です。", u"正解 2 / 問 3"},
        {"to the end", forward, u"→", 9, -1, u"", u"正解 2 / 問 3"},
    };
    play(quiz, folded);
    ASSERT_EQ(quiz.missed().size(), 1u);
    quiz.goTo(quiz.missed().front().shown);
    EXPECT_EQ(recordedStep(quiz), 2);
}

} // namespace
} // namespace form
