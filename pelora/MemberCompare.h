#pragma once

#include "pelora/Comparators.h"

#include <string>
#include <string_view>

namespace pelora {

// The order in which a learner's comparator puts the persons.
enum class Order { Ascending, Descending };

// The name a window shows for an order: 小さい順, 大きい順.
std::u16string_view orderName(Order order);

// A comparator of a learner's own: it orders persons by the member whose name was typed, read by
// that name from both persons at run time, lhs first, as CmpHeight reads Height. Ascending answers
// lhs.member < rhs.member, descending rhs.member < lhs.member, so either way true means that lhs
// must stand before rhs. It knows only the name: a person without that member raises the
// failed-call error when it is compared, as any late-bound read does.
class CmpMember final : public AttributeCompare {
public:
    CmpMember(std::u16string member, Order order) : m_member(std::move(member)), m_order(order) {}

    std::u16string_view attribute() const override { return m_member; }
    Order order() const { return m_order; }

protected:
    bool ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) override;

private:
    std::u16string m_member;
    Order m_order;
};

// The longest member name a learner may type.
inline constexpr std::size_t kLongestMemberName = 64;

// Empty when the typed text can name a member: an ASCII letter followed by ASCII letters, digits
// and _, at most kLongestMemberName of them. Otherwise a Japanese sentence saying what is wrong, and
// nothing should run. Whether the persons have that member is not checked here: only the run can
// tell.
std::u16string memberNameMessage(std::u16string_view typed);

// What the window says when a run of comparator stopped because person (named as the trace names
// it, "Teacher#13": class, #, roster position) has no member of that name: the comparator knows
// only the name, and only the run asks the person for it.
std::u16string missingMemberSentence(CmpMember const& comparator, std::u16string_view person);

} // namespace pelora
