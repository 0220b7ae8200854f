#pragma once

#include "form/Player.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace form {

// One counter of two runs side by side, by its label; a run without a counter of that label has none.
struct PairedCounter {
    std::u16string label;
    std::optional<Counter> left;
    std::optional<Counter> right;
};

// The counters of two runs paired by label: in the left run's order, then those only the right has.
std::vector<PairedCounter> pairByLabel(std::span<Counter const> left, std::span<Counter const> right);

// Two runs side by side, such as one sort on sorted and on reversed data, each in a player of its
// own. A learner moves each alone through its player, or both together by the stops that each
// recording names for that (Recording::syncJump: a sort's comparisons, a transform's elements). A move
// together takes each run through its next such stop and what follows from it (an exchange, the
// element's Add and Remove), up to the step before the stop after that, or to its last step: after k
// moves from the start, each run has done k of them. A run without a sync jump moves one step.
class Comparison {
public:
    // Shows both from their first steps. Tie groups are numbered again across the two, so that equal
    // values carry the same group in both (see Element::tie).
    void load(Recording left, Recording right);

    Player& left() noexcept { return m_left; }
    Player& right() noexcept { return m_right; }
    Player const& left() const noexcept { return m_left; }
    Player const& right() const noexcept { return m_right; }

    // Each returns whether either run moved.
    bool forward();
    // Back to where each run was before its last stop, at or before the step it is on.
    bool back();
    bool first();

    // The recorders' totals of the two runs, then the steps each shows (手順).
    std::vector<PairedCounter> totals() const;
    // The counters of the steps each run stands at.
    std::vector<PairedCounter> counters() const;

private:
    Player m_left;
    Player m_right;
};

} // namespace form
