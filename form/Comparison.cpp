#include "form/Comparison.h"

#include <algorithm>
#include <string_view>

namespace form {

namespace {

// Numbers the tie groups of both recordings by value, in order of first appearance, left first;
// elements without a group stay without one.
void alignTies(Recording& left, Recording& right) {
    std::vector<std::u16string> values;
    for (Recording* recording : {&left, &right}) {
        for (Element& element : recording->elements) {
            if (element.tie == 0)
                continue;
            std::u16string_view const value = tiedValue(element);
            auto const found = std::find(values.begin(), values.end(), value);
            element.tie = static_cast<std::uint16_t>(found - values.begin() + 1);
            if (found == values.end())
                values.emplace_back(value);
        }
    }
}

bool throughNextStop(Player& player) {
    std::optional<std::size_t> const jump = player.recording().syncJump;
    if (!jump)
        return player.stepBy(1);
    std::size_t const from = player.current();
    std::optional<std::size_t> const stop = player.nextStop(*jump);
    if (!stop)
        return player.last();
    player.goTo(*stop);
    std::optional<std::size_t> const following = player.nextStop(*jump);
    player.goTo(following ? *following - 1 : player.stepCount() - 1);
    return player.current() != from;
}

bool beforeLastStop(Player& player) {
    std::optional<std::size_t> const jump = player.recording().syncJump;
    if (!jump)
        return player.stepBy(-1);
    std::optional<std::size_t> const stop = player.step() && isStop(*player.step(), *jump)
                                                ? std::optional(player.current())
                                                : player.previousStop(*jump);
    return player.goTo(stop && *stop > 0 ? *stop - 1 : 0);
}

} // namespace

std::vector<PairedCounter> pairByLabel(std::span<Counter const> left, std::span<Counter const> right) {
    std::vector<PairedCounter> paired;
    for (Counter const& counter : left)
        paired.push_back({counter.label, counter, std::nullopt});
    for (Counter const& counter : right) {
        auto const found = std::find_if(paired.begin(), paired.end(), [&](PairedCounter const& pair) {
            return pair.label == counter.label;
        });
        if (found != paired.end())
            found->right = counter;
        else
            paired.push_back({counter.label, std::nullopt, counter});
    }
    return paired;
}

void Comparison::load(Recording left, Recording right) {
    alignTies(left, right);
    m_left.load(std::move(left));
    m_right.load(std::move(right));
}

bool Comparison::forward() {
    bool const left = throughNextStop(m_left);
    return throughNextStop(m_right) || left;
}

bool Comparison::back() {
    bool const left = beforeLastStop(m_left);
    return beforeLastStop(m_right) || left;
}

bool Comparison::first() {
    bool const left = m_left.first();
    return m_right.first() || left;
}

std::vector<PairedCounter> Comparison::totals() const {
    std::vector<PairedCounter> paired = pairByLabel(m_left.recording().totals, m_right.recording().totals);
    auto const steps = [](Player const& player) {
        return Counter{u"手順", static_cast<std::int32_t>(player.stepCount()), 0};
    };
    paired.push_back({u"手順", steps(m_left), steps(m_right)});
    return paired;
}

std::vector<PairedCounter> Comparison::counters() const {
    auto const of = [](Player const& player) {
        return player.step() ? std::span<Counter const>(player.step()->counters) : std::span<Counter const>();
    };
    return pairByLabel(of(m_left), of(m_right));
}

} // namespace form
