#pragma once

#include "form/Steps.h"
#include "sortlib/SortingForm.h"

namespace talverin {

// The number-sorting window: each button sorts the same nine numbers with one comparator and lists
// them in List1.
class Form1 final : public sortlib::SortingForm {
public:
    form::FormLayout const& layout() const override;
    void Command1_Click(std::int16_t Index) override;
    // What the step window shows of a click: the sort, on the nine numbers, a learner's own or a data
    // set's.
    static form::Lesson const& lesson();
};

} // namespace talverin
