#pragma once

#include "form/CallTrace.h"
#include "sortlib/Sort.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace sortlib {

// The call trace of a click that sorts, framed by the sort's own steps:
//   == 大きい順: LongGT
//   Start: 1851 9353 2748 926 1166 12703 40 66916 5562
//   Pass 1 of 8: compares [9] down to [2] with [1]
//   Compare([9] 5562, [1] 1851) = True
//   Exchange [1] and [9]: 5562 to [1], 1851 to [9]
//   ...
//   End: 66916 12703 9353 5562 2748 1851 1166 926 40
//   -- 36 calls of Compare, 12 exchanges
// Object elements are named by their position in the first order (Student#1), and other objects of
// the click from 0 (the factories, Student#0). Where a derived trace names the member that the
// comparator orders by (orderMember), each element is shown with that member's value, Student#8(155),
// and the comparator's reads of it from the elements it compares are not written again beneath the
// call.
class SortTrace : public form::CallTrace, public SortObserver {
public:
    explicit SortTrace(std::ostream& out) : CallTrace(out) {}

    void sortBegun(runtime::Collection const& collection, ICompare const& comparator) override;
    void passBegun(std::int32_t i, std::int32_t last) override;
    void comparing(std::int32_t lhs, std::int32_t rhs) override;
    void exchangeEnded(std::int32_t i, std::int32_t j) override;
    void sortEnded() override;

    void objectGone(runtime::Object const& object) noexcept override;
    void memberRead(runtime::Object const& object, std::u16string_view member,
                    runtime::Variant const& value) override;
    void callBegun(runtime::Object const& callee, std::string_view operation,
                   std::span<runtime::Variant const> arguments) override;

protected:
    // The member that comparator orders the elements by, read of each by the trace itself once when
    // the sort begins; none by default. Only a member that reading leaves unchanged qualifies.
    virtual std::u16string_view orderMember(ICompare const& comparator) const {
        (void)comparator;
        return {};
    }

    void clickBegun() override;
    void writeClosingCounts() override;
    std::string valueText(runtime::Variant const& value) override;

private:
    runtime::ObserverScope<SortObserver> m_scope{this};
    runtime::Collection const* m_collection = nullptr;
    std::u16string m_orderMember;
    std::unordered_map<runtime::Object const*, std::string>
        m_orderValues; // each object element's value of it
    bool m_sorted = false;
    std::size_t m_exchanges = 0;
    // The elements of the comparison in progress, as written: lhs (at j), then rhs (at i).
    bool m_comparing = false;
    std::string m_lhs;
    std::string m_rhs;
};

} // namespace sortlib
