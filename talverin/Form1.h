#pragma once

#include "form/Form.h"
#include "form/Steps.h"
#include "form/Table.h"
#include "sortlib/ICompare.h"
#include "sortlib/SortTrace.h"

namespace talverin {

// The number-sorting window: each button sorts the same nine numbers with one comparator and lists
// them in List1.
class Form1 final : public form::Form {
public:
    // What --trace writes of its clicks.
    using Trace = sortlib::SortTrace;

    explicit Form1(form::EntryWrapper<sortlib::ICompare> wrapComparator = {});

    form::FormLayout const& layout() const override;
    void Command1_Click(std::int16_t Index) override;
    // What the step window shows of a click: the sort, on the nine numbers or on a learner's own.
    static form::Lesson const& lesson();

    form::ListBox List1{*this, "List1"};

private:
    form::EntryWrapper<sortlib::ICompare> m_wrapComparator;
};

} // namespace talverin
