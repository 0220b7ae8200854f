#pragma once

#include "pelora/Comparators.h"
#include "sortlib/SortTrace.h"

namespace pelora {

// The trace of a roster sort: each person is named by roster position and shown with the attribute
// that the comparator orders by, Student#8(155). Reading a person's attribute changes nothing.
class RosterTrace final : public sortlib::SortTrace {
public:
    using SortTrace::SortTrace;

protected:
    std::u16string_view orderMember(sortlib::ICompare const& comparator) const override {
        auto const* byAttribute = dynamic_cast<AttributeCompare const*>(&comparator);
        return byAttribute ? byAttribute->attribute() : std::u16string_view();
    }
};

} // namespace pelora
