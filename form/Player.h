#pragma once

#include "form/Steps.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace form {

// Plays a recording for a learner: which of its steps are shown (folded or not), which one is
// current, and whether it plays on by itself. It knows no algorithm: everything a step shows is in
// the step. A window draws the current step and hands the learner's actions to it.
class Player {
public:
    // Shows recording from its first step; folding stays as it was, playing stops.
    void load(Recording recording);
    Recording const& recording() const noexcept { return m_recording; }

    // The steps shown, and the current one among them (null before anything is loaded).
    std::size_t stepCount() const noexcept { return m_visible.size(); }
    std::size_t current() const noexcept { return m_current; }
    Step const* step() const noexcept;
    // The index into the recording's steps of shown step k.
    std::size_t recordedIndex(std::size_t shown) const { return m_visible.at(shown); }
    // The shown step of recorded step `recorded`; when the fold hides it, the first shown after it (the
    // whole of its group, folded), or the last.
    std::size_t shownIndexOf(std::size_t recorded) const noexcept;

    // Moving: each returns whether the current step changed. Out of range goes to the nearest end.
    bool goTo(std::size_t shown);
    bool stepBy(int delta);
    bool first() { return goTo(0); }
    bool last();
    bool canGoBack() const noexcept { return m_current > 0; }
    bool canGoForward() const noexcept { return m_current + 1 < m_visible.size(); }

    // The next or previous shown step that is a stop of jump kind `jump` (Recording::jumps), if any.
    std::optional<std::size_t> nextStop(std::size_t jump) const;
    std::optional<std::size_t> previousStop(std::size_t jump) const;
    bool jumpForward(std::size_t jump);
    bool jumpBack(std::size_t jump);

    // Folding keeps the learner at the same point of the run. A step shown either way stays current;
    // folding, an operation of a group gives way to the group's whole step, and unfolding, the whole
    // step gives way to the group's last operation, which leaves the collection as the whole does.
    bool folded() const noexcept { return m_folded; }
    bool foldable() const noexcept;
    void setFolded(bool folded);

    // Playing steps forward at each tick and stops once the last step is shown; at the last step it
    // does not start.
    bool playing() const noexcept { return m_playing; }
    void setPlaying(bool playing);
    // One tick of playing: steps forward; returns whether it did.
    bool tick();

private:
    void showSteps();

    Recording m_recording;
    std::vector<std::size_t> m_visible;
    std::size_t m_current = 0;
    bool m_folded = false;
    bool m_playing = false;
};

} // namespace form
