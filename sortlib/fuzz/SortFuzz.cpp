// Fuzz target: sorts a collection under a comparator driven by the input, which may answer
// inconsistently or fail at a chosen call, and checks the promises of Sort_Collection.
#include "runtime/Collection.h"
#include "runtime/fuzz/FuzzInput.h"
#include "sortlib/Sort.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace runtime;
using fuzzing::FuzzInput;

class Plain final : public Object {};

// Answers from the input: by the elements' ranks when consistent, else one input bit a call.
// An answer byte of 0xFF raises an error of an input-chosen kind in place of an answer.
class InputCompare final : public sortlib::ICompare {
public:
    InputCompare(FuzzInput& in, bool consistent, std::vector<Variant> const& elements,
                 std::vector<int> const& ranks)
        : m_in(in), m_consistent(consistent), m_elements(elements), m_ranks(ranks) {}

    int calls = 0;
    std::optional<RuntimeError> raised;

protected:
    bool ICompare_Compare(Variant lhs, Variant rhs) override {
        ++calls;
        std::uint8_t const answer = m_in.byte();
        if (answer == 0xFF && !raised) {
            raised =
                RuntimeError(static_cast<ErrorKind>(m_in.pick(7)), "fault at call " + std::to_string(calls));
            throw *raised;
        }
        if (m_consistent)
            return rankOf(lhs) < rankOf(rhs);
        return answer & 1;
    }

private:
    int rankOf(Variant const& element) const {
        auto const found = std::find(m_elements.begin(), m_elements.end(), element);
        FUZZ_CHECK(found != m_elements.end());
        return m_ranks[static_cast<std::size_t>(found - m_elements.begin())];
    }

    FuzzInput& m_in;
    bool m_consistent;
    std::vector<Variant> const& m_elements;
    std::vector<int> const& m_ranks;
};

// An element's identity: its value for integers, its address for objects.
std::string identity(Variant const& element) {
    return element.isObject() ? std::to_string(reinterpret_cast<std::uintptr_t>(element.asObject().get()))
                              : "#" + std::to_string(element.asInt16());
}

std::vector<std::string> identities(Collection const& collection) {
    std::vector<std::string> result;
    for (Variant const& element : collection)
        result.push_back(identity(element));
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::size_t const liveAtStart = Object::liveCount();
    {
        FuzzInput in(data, size);
        int const n = static_cast<int>(in.pick(16));
        bool const consistent = in.pick(2) == 0;
        std::vector<Variant> elements;
        std::vector<int> ranks;
        auto const collection = make<Collection>();
        for (int i = 0; i < n; ++i) {
            elements.push_back(in.pick(4) == 0 ? Variant(make<Plain>())
                                               : Variant(static_cast<std::int16_t>(i)));
            ranks.push_back(in.pick(4));
            collection->Add(elements.back());
        }
        std::vector<std::string> before = identities(*collection);

        InputCompare comparator(in, consistent, elements, ranks);
        try {
            sortlib::Sort::Sort_Collection(*collection, comparator);
            FUZZ_CHECK(!comparator.raised);
            FUZZ_CHECK(comparator.calls == n * (n - 1) / 2);
        } catch (RuntimeError const& error) {
            FUZZ_CHECK(comparator.raised);
            FUZZ_CHECK(error.kind() == comparator.raised->kind());
            FUZZ_CHECK(std::string(error.what()) == comparator.raised->what());
        }

        std::vector<std::string> after = identities(*collection);
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        FUZZ_CHECK(after == before);

        // A consistent comparator leaves no later element answering true against an earlier one.
        if (consistent && !comparator.raised) {
            std::vector<int> sortedRanks;
            for (Variant const& element : *collection)
                sortedRanks.push_back(ranks[static_cast<std::size_t>(
                    std::find(elements.begin(), elements.end(), element) - elements.begin())]);
            FUZZ_CHECK(std::is_sorted(sortedRanks.begin(), sortedRanks.end()));
        }
    }
    FUZZ_CHECK(Object::liveCount() == liveAtStart);
    return 0;
}
