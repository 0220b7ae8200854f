#pragma once

#include "form/Steps.h"
#include "pelora/RosterTrace.h"
#include "sortlib/SortingForm.h"

namespace pelora {

// The person-sorting window: each button sorts the roster of students and teachers by one attribute
// and lists each person's own description in List1.
class Form1 final : public sortlib::SortingForm {
public:
    using Trace = RosterTrace;

    form::FormLayout const& layout() const override;
    void Command1_Click(std::int16_t Index) override;
    // What the step window shows of a click: the sort of the roster, with the values compared, by a
    // button's comparator or by a learner's CmpMember of the member named, either order.
    static form::Lesson const& lesson();
};

} // namespace pelora
