#include "form/Player.h"

#include <algorithm>

namespace form {

namespace {

bool shown(Step const& step, bool folded) {
    switch (step.fold) {
    case Fold::UnfoldedOnly:
        return !folded;
    case Fold::FoldedOnly:
        return folded;
    case Fold::Always:
        break;
    }
    return true;
}

} // namespace

void Player::load(Recording recording) {
    m_recording = std::move(recording);
    m_playing = false;
    m_current = 0;
    showSteps();
}

void Player::showSteps() {
    m_visible.clear();
    for (std::size_t index = 0; index < m_recording.steps.size(); ++index) {
        if (shown(m_recording.steps[index], m_folded))
            m_visible.push_back(index);
    }
}

Step const* Player::step() const noexcept {
    if (m_current >= m_visible.size())
        return nullptr;
    return &m_recording.steps[m_visible[m_current]];
}

std::size_t Player::shownIndexOf(std::size_t recorded) const noexcept {
    auto const at = std::lower_bound(m_visible.begin(), m_visible.end(), recorded);
    std::size_t const shown = static_cast<std::size_t>(at - m_visible.begin());
    return m_visible.empty() ? 0 : std::min(shown, m_visible.size() - 1);
}

bool Player::goTo(std::size_t shown) {
    if (m_visible.empty())
        return false;
    std::size_t const target = std::min(shown, m_visible.size() - 1);
    bool const moved = target != m_current;
    m_current = target;
    return moved;
}

bool Player::stepBy(int delta) {
    if (delta < 0)
        return goTo(m_current -
                    std::min(m_current, static_cast<std::size_t>(-static_cast<long long>(delta))));
    return goTo(m_current + static_cast<std::size_t>(delta));
}

bool Player::last() { return !m_visible.empty() && goTo(m_visible.size() - 1); }

std::optional<std::size_t> Player::nextStop(std::size_t jump) const {
    for (std::size_t shown = m_current + 1; shown < m_visible.size(); ++shown) {
        if (isStop(m_recording.steps[m_visible[shown]], jump))
            return shown;
    }
    return std::nullopt;
}

std::optional<std::size_t> Player::previousStop(std::size_t jump) const {
    for (std::size_t shown = std::min(m_current, m_visible.size()); shown-- > 0;) {
        if (isStop(m_recording.steps[m_visible[shown]], jump))
            return shown;
    }
    return std::nullopt;
}

bool Player::jumpForward(std::size_t jump) {
    std::optional<std::size_t> const stop = nextStop(jump);
    return stop && goTo(*stop);
}

bool Player::jumpBack(std::size_t jump) {
    std::optional<std::size_t> const stop = previousStop(jump);
    return stop && goTo(*stop);
}

bool Player::foldable() const noexcept {
    return std::any_of(m_recording.steps.begin(), m_recording.steps.end(),
                       [](Step const& step) { return step.fold != Fold::Always; });
}

void Player::setFolded(bool folded) {
    if (folded == m_folded)
        return;
    m_folded = folded;
    if (m_visible.empty()) {
        showSteps();
        return;
    }
    std::size_t const at = m_visible[m_current];
    showSteps();
    if (m_visible.empty()) {
        m_current = 0;
        return;
    }
    // A step shown either way stays. A group's steps come before its whole, which shows where the
    // group ends: folding, an operation goes on to its whole (the first step shown from it on);
    // unfolding, the whole goes back to its last operation (the last step shown up to it).
    auto const next = std::lower_bound(m_visible.begin(), m_visible.end(), at);
    if (next != m_visible.end() && (*next == at || folded))
        m_current = static_cast<std::size_t>(next - m_visible.begin());
    else
        m_current = next == m_visible.begin() ? 0 : static_cast<std::size_t>(next - m_visible.begin()) - 1;
}

void Player::setPlaying(bool playing) { m_playing = playing && canGoForward(); }

bool Player::tick() {
    if (!m_playing)
        return false;
    bool const moved = stepBy(1);
    if (!canGoForward())
        m_playing = false;
    return moved;
}

} // namespace form
