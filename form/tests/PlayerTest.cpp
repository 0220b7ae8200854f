#include "form/Player.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace form {
namespace {

constexpr std::size_t kExchange = 0; // the recording's jumps, by bit of Step::stops
constexpr std::size_t kPass = 1;

// A recording made by hand, of two passes with a group of operations in each, its whole step after
// them: each step's sentence is its index in the recording.
//   index  0 start, 1 pass, 2 compare, 3 4 5 operations, 6 whole, 7 compare,
//          8 pass, 9 compare, 10 11 operations, 12 whole, 13 end
Recording handMade() {
    Recording recording;
    recording.jumps = {u"交換", u"パス"};
    auto const add = [&](Fold fold, std::uint32_t stops = 0) {
        Step& step = recording.steps.emplace_back();
        step.fold = fold;
        step.stops = stops;
        step.sentence = std::u16string(1, static_cast<char16_t>(u'A' + recording.steps.size() - 1));
    };
    std::uint32_t const exchange = 1u << kExchange;
    std::uint32_t const pass = 1u << kPass;
    add(Fold::Always);
    add(Fold::Always, pass);
    add(Fold::Always);
    add(Fold::UnfoldedOnly, exchange);
    add(Fold::UnfoldedOnly);
    add(Fold::UnfoldedOnly);
    add(Fold::FoldedOnly, exchange);
    add(Fold::Always);
    add(Fold::Always, pass);
    add(Fold::Always);
    add(Fold::UnfoldedOnly, exchange);
    add(Fold::UnfoldedOnly);
    add(Fold::FoldedOnly, exchange);
    add(Fold::Always);
    return recording;
}

// The index in the recording of the current step, from its sentence; -1 for none.
int recordedStep(Player const& player) {
    Step const* step = player.step();
    return step ? static_cast<int>(step->sentence.front() - u'A') : -1;
}

// Each row: what the learner does, what it answers, and where the player then stands: the step of the
// recording, the step among those shown, how many are shown, and whether back and forward are open.
struct Row {
    char const* what;
    std::function<bool(Player&)> act;
    bool answer;
    int recorded;
    std::size_t shown;
    std::size_t count;
    bool back;
    bool forward;
};

TEST(PlayerTest, StepsFoldsAndJumpsOverAHandMadeRecording) {
    Player player;
    EXPECT_EQ(player.step(), nullptr);
    EXPECT_FALSE(player.goTo(3));
    EXPECT_FALSE(player.stepBy(1));
    EXPECT_FALSE(player.last());
    EXPECT_FALSE(player.jumpForward(kExchange));
    EXPECT_FALSE(player.canGoBack());
    EXPECT_FALSE(player.canGoForward());
    player.setPlaying(true);
    EXPECT_FALSE(player.playing());
    player.load(handMade());
    EXPECT_TRUE(player.foldable());

    auto const goTo = [](std::size_t shown) { return [shown](Player& p) { return p.goTo(shown); }; };
    auto const stepBy = [](int delta) { return [delta](Player& p) { return p.stepBy(delta); }; };
    auto const fold = [](bool folded) {
        return [folded](Player& p) {
            p.setFolded(folded);
            return p.folded() == folded;
        };
    };
    auto const forward = [](std::size_t jump) { return [jump](Player& p) { return p.jumpForward(jump); }; };
    auto const back = [](std::size_t jump) { return [jump](Player& p) { return p.jumpBack(jump); }; };
    auto const first = [](Player& p) { return p.first(); };
    auto const last = [](Player& p) { return p.last(); };

    // Unfolded, 12 steps are shown: 0 1 2 3 4 5 7 8 9 10 11 13; folded, 9: 0 1 2 6 7 8 9 12 13.
    Row const rows[] = {
        {"stays at the first", stepBy(-1), false, 0, 0, 12, false, true},
        {"one on", stepBy(1), true, 1, 1, 12, true, true},
        {"far past the end", goTo(100), true, 13, 11, 12, true, false},
        {"on from the end", stepBy(1), false, 13, 11, 12, true, false},
        {"far back", stepBy(-100), true, 0, 0, 12, false, true},
        {"last", last, true, 13, 11, 12, true, false},
        {"to the second operation", goTo(4), true, 4, 4, 12, true, true},
        {"folded: its whole", fold(true), true, 6, 3, 9, true, true},
        {"unfolded: the last operation", fold(false), true, 5, 5, 12, true, true},
        {"a compare", goTo(6), true, 7, 6, 12, true, true},
        {"folded: the same compare", fold(true), true, 7, 4, 9, true, true},
        {"unfolded: the same compare", fold(false), true, 7, 6, 12, true, true},
        {"the first", first, true, 0, 0, 12, false, true},
        {"next exchange: its first operation", forward(kExchange), true, 3, 3, 12, true, true},
        {"next exchange", forward(kExchange), true, 10, 9, 12, true, true},
        {"no exchange after", forward(kExchange), false, 10, 9, 12, true, true},
        {"previous exchange", back(kExchange), true, 3, 3, 12, true, true},
        {"no exchange before", back(kExchange), false, 3, 3, 12, true, true},
        {"next pass", forward(kPass), true, 8, 7, 12, true, true},
        {"previous pass", back(kPass), true, 1, 1, 12, true, true},
        {"no pass before", back(kPass), false, 1, 1, 12, true, true},
        {"folded at a pass", fold(true), true, 1, 1, 9, true, true},
        {"folded, next exchange", forward(kExchange), true, 6, 3, 9, true, true},
        {"folded, next exchange again", forward(kExchange), true, 12, 7, 9, true, true},
        {"folded, previous exchange", back(kExchange), true, 6, 3, 9, true, true},
        {"folded, next pass", forward(kPass), true, 8, 5, 9, true, true},
        {"folded, no pass after", forward(kPass), false, 8, 5, 9, true, true},
        {"folded, three back", stepBy(-3), true, 2, 2, 9, true, true},
        {"folded, past the end", goTo(9), true, 13, 8, 9, true, false},
        {"unfolded at the end", fold(false), true, 13, 11, 12, true, false},
        {"back from the end", stepBy(-2), true, 10, 9, 12, true, true},
        {"folded: the whole of the second", fold(true), true, 12, 7, 9, true, true},
        {"unfolded: its last operation", fold(false), true, 11, 10, 12, true, true},
    };
    for (Row const& row : rows) {
        EXPECT_EQ(row.act(player), row.answer) << row.what;
        EXPECT_EQ(recordedStep(player), row.recorded) << row.what;
        EXPECT_EQ(player.current(), row.shown) << row.what;
        EXPECT_EQ(player.recordedIndex(player.current()), static_cast<std::size_t>(row.recorded)) << row.what;
        EXPECT_EQ(player.stepCount(), row.count) << row.what;
        EXPECT_EQ(player.canGoBack(), row.back) << row.what;
        EXPECT_EQ(player.canGoForward(), row.forward) << row.what;
    }

    // Playing goes on step by step and stops once the last step is shown; at the last it does not start.
    player.setFolded(true);
    player.first();
    player.setPlaying(true);
    std::vector<int> played;
    while (player.playing()) {
        ASSERT_TRUE(player.tick());
        played.push_back(recordedStep(player));
    }
    EXPECT_EQ(played, (std::vector<int>{1, 2, 6, 7, 8, 9, 12, 13}));
    EXPECT_FALSE(player.tick());
    player.setPlaying(true);
    EXPECT_FALSE(player.playing());
    // Paused, a tick does nothing.
    player.first();
    EXPECT_FALSE(player.tick());
    EXPECT_EQ(recordedStep(player), 0);

    // A new recording starts at its first step, still folded, not playing.
    player.goTo(4);
    player.setPlaying(true);
    player.load(handMade());
    EXPECT_TRUE(player.folded());
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(recordedStep(player), 0);
    EXPECT_EQ(player.stepCount(), 9u);
    EXPECT_EQ(player.nextStop(kExchange), std::optional<std::size_t>(3));
    EXPECT_EQ(player.previousStop(kPass), std::nullopt);
    EXPECT_EQ(player.nextStop(5), std::nullopt) << "a jump the recording has not";
}

} // namespace
} // namespace form
