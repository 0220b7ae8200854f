#pragma once

#include "form/Player.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace form {

// What a learner answered to a step's question.
struct Answer {
    std::int32_t given = 0;
    bool right = false;
};

// What the quiz says of an answer: whether it was taken (a refused text is not, and counts for
// nothing), whether it was right, and one Japanese line: 「正解です。…」, 「ちがいます。…」 or why the
// text was refused.
struct Feedback {
    bool taken = false;
    bool right = false;
    std::u16string line;
};

struct Score {
    int right = 0;
    int asked = 0; // questions answered
};

// A question answered wrongly, for the summary at the end.
struct Missed {
    std::size_t shown; // the shown step to go to: the question's own, or its group's when folding hides it
    std::u16string prompt;
    std::u16string given;
    std::u16string answer;
};

// Predict, then see: plays a recording as its Player does, and while predicting, stops before each
// step that has a question not yet answered. The learner answers, and the step shows with the quiz's
// feedback; the step's own sentence and calls say why.
//
// A question is put only where the learner comes to its step for the first time, moving forward one
// step (stepBy(1), a tick of playing) or jumping to it (jumpForward lands on its step): the player
// then stays on the step before, and question() is set until the learner answers, skips or moves
// elsewhere. Every step up to the furthest one reached is behind the learner and never asks: stepping
// back shows the answer given (feedback()) and asks nothing again; goTo (the slider), last(), steps of
// more than one and jumps pass over questions without asking them, and so does folding, which hides
// the questions of a group's operations: those count as not asked. Turning predicting on asks the
// questions ahead of the current step that have no answer yet. A recording without questions plays
// the same either way.
class Quiz {
public:
    // Plays recording from its first step; predicting and folding stay as they were, answers go.
    void load(Recording recording);
    Player const& player() const noexcept { return m_player; }

    bool predicting() const noexcept { return m_predicting; }
    void setPredicting(bool predicting);

    // The question put now and the shown step it belongs to (the one after the current), or none.
    Question const* question() const noexcept;
    std::optional<std::size_t> questionStep() const noexcept { return m_asked; }

    // Answers the question put: a choice's index, a position or a number. A choice that the question
    // has not, or a position below 1, is refused; else the answer counts and its step shows.
    Feedback answer(std::int32_t given);
    // Answers by text: a choice's label or key (either case), or a whole number as form::parseWholeNumber
    // reads it. A text that answers nothing is refused with its message.
    Feedback answerText(std::u16string_view typed);
    // Shows the step of the question put without an answer; it counts as not asked.
    bool skip();

    // What was said of the answer given to the current step's question, if it was answered.
    std::optional<Feedback> feedback() const;
    Score score() const;
    std::u16string scoreText() const; // 正解 3 / 問 5
    // The questions answered wrongly, in the order of the run.
    std::vector<Missed> missed() const;

    // The player's moves, each returning whether the current step changed: where a question is put
    // instead, the step stays and question() is set. While one is put, a step forward or playing does
    // nothing; any other move drops the question, which is put again when its step comes.
    bool goTo(std::size_t shown);
    bool stepBy(int delta);
    bool first() { return goTo(0); }
    bool last();
    bool jumpForward(std::size_t jump);
    bool jumpBack(std::size_t jump);
    void setFolded(bool folded);
    void setPlaying(bool playing);
    bool tick();

private:
    bool due(std::size_t shown) const;
    std::size_t recordedAt(std::size_t shown) const { return m_player.recordedIndex(shown); }
    // The learner has now seen the current step and all before it.
    void reach();
    // A move that asks nothing: it drops the question put, and what it passes over is behind the learner.
    template <class Move>
    bool passOver(Move const& move) {
        m_asked.reset();
        bool const moved = move();
        reach();
        return moved;
    }
    Feedback take(Question const& question, std::int32_t given);

    Player m_player;
    bool m_predicting = false;
    std::size_t m_frontier = 0;              // the furthest recorded step reached
    std::optional<std::size_t> m_asked;      // the shown step whose question is put
    std::map<std::size_t, Answer> m_answers; // by recorded step
};

} // namespace form
